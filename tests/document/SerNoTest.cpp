// Serial numbers: picture strings, value lists from files, the texts for
// indexes outside the list, the supply test and advancing.

#include "SerNo.h"
#include "Errors.h"
#include "Page.h"
#include "Strings.h"
#include "ValueList.h"
#include "base/TestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

TEST(SerialFormat, FillsFromTheRight)
{
    const std::tuple<int32_t, const char *, const char *> rows[] = {
        {42, "########", "00000042"}, {42, "~~~~~", "   42"}, {42, "CD-####", "CD-0042"},
        {12345, "###", "345"},        {7, "~#", " 7"},        {7, "", ""},
        {-5, "###", "0-5"},           {123, "#x#", "2x3"},    {2147483647, "############", "002147483647"}};
    for (const auto &[n, format, expected] : rows)
        EXPECT_EQ(FormatSerialNumber(n, QString::fromUtf8(format)).toStdString(), expected) << format;
}

TEST(ValueList, LineEndsOfEveryKindAndEmptyEntries)
{
    EXPECT_EQ(ParseValueList("a\r\nb\rc\nd"),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}));
    EXPECT_EQ(ParseValueList("a\r\n\r\n b \r\n"), (QStringList{QStringLiteral("a"), QString(), QStringLiteral(" b ")}));
    EXPECT_EQ(ParseValueList("\n\n"), (QStringList{QString(), QString()}));
    EXPECT_EQ(ParseValueList(""), QStringList());
    // Both encodings a text editor here or elsewhere may have written.
    EXPECT_EQ(ParseValueList("Gr\xC3\xB6\xC3\x9F"
                             "e\n"),
              QStringList{QStringLiteral("Größe")});
    EXPECT_EQ(ParseValueList("Gr\xF6\xDF"
                             "e\n"),
              QStringList{QStringLiteral("Größe")});
}

TEST(ValueList, UnreadableOrBinaryFilesGiveTheLocalizedMessage)
{
    QTemporaryDir dir;
    const QString bin = dir.filePath(QStringLiteral("x.bin"));
    ASSERT_TRUE(WriteAll(bin, QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11)));
    for (const QString &path : {bin, dir.filePath(QStringLiteral("missing.txt")), dir.path()}) {
        try {
            ReadValueListFile(path);
            ADD_FAILURE() << path.toStdString();
        } catch (const ELocalizedError &e) {
            EXPECT_EQ((std::tuple{e.message(), e.message().isEmpty()}), std::tuple(GetText(1051), false));
        }
    }
    // Too long for the record: refused, not cut.
    const QByteArray many = QByteArray("abcdefghi\n").repeated(7000);
    EXPECT_THROW(ParseValueList(many), ELocalizedError);
}

TEST(SerNo, ValueListTextsForIndexesInsideAndOutside)
{
    TInlayVorder page(nullptr);
    TCDLSerNo s(&page, 0, 0);
    s.UseValueList = true;
    s.Values = QStringList{QStringLiteral("a"), QStringLiteral("b")};
    s.Counter = 1;
    EXPECT_EQ(s.FrameText(), QStringLiteral("b"));
    s.Counter = 2;
    EXPECT_EQ(s.FrameText(), GetText(562));
    s.Counter = -1;
    EXPECT_EQ(s.FrameText(), GetText(561));
    s.UseValueList = false;
    s.Counter = 42;
    s.NumberFormat = QStringLiteral("####");
    s.Barcode = true;
    EXPECT_EQ(s.FrameText(), QStringLiteral("!0042!"));
}

TEST(SerNo, LaysOutItsOwnTextNotTheList)
{
    TInlayVorder page(nullptr);
    TCDLSerNo s(&page, 0, 0);
    s.Width = 2000;
    s.Counter = 7;
    s.NumberFormat = QStringLiteral("No. ###");
    s.Values = QStringList{QStringLiteral("ignored"), QStringLiteral("too")};
    ASSERT_EQ(s.Lines().size(), 1u);
    EXPECT_EQ(s.Lines()[0].Text, QStringLiteral("No. 007"));
    s.Counter = 8;
    EXPECT_EQ(s.Lines()[0].Text, QStringLiteral("No. 008"));
}

TEST(SerNo, SupplyTestAndAdvanceOnThePage)
{
    TInlayVorder page(nullptr);
    EXPECT_TRUE(page.SerialNumbersSuffice(1000)) << "no serial numbers always suffice";
    EXPECT_FALSE(page.HasSerialNumbers());
    auto counter = std::make_unique<TCDLSerNo>(&page, 0, 0);
    TCDLSerNo *c = counter.get();
    page.AddFrame(std::move(counter));
    EXPECT_TRUE(page.HasSerialNumbers());
    c->Counter = 2147483647 - 10;
    EXPECT_TRUE(page.SerialNumbersSuffice(10));
    c->Counter = 2147483647 - 10 + 1;
    EXPECT_FALSE(page.SerialNumbersSuffice(10));

    c->UseValueList = true;
    c->Counter = 0;
    EXPECT_FALSE(page.SerialNumbersSuffice(0)) << "an empty value list never suffices";
    c->Values = QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    c->Counter = 1;
    EXPECT_EQ((std::tuple{page.SerialNumbersSuffice(2), page.SerialNumbersSuffice(3)}), std::tuple(true, false));

    c->UseValueList = false;
    for (int i = 0; i < 10; ++i)
        page.AdvanceSerialNumbers();
    EXPECT_EQ((std::tuple{c->Counter, page.Modified}), std::tuple(11, true));
    page.SaveCounters();
    page.AdvanceSerialNumbers();
    page.RestoreCounters();
    EXPECT_EQ(c->Counter, 11);
}
