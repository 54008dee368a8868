#include "Strings.h"
#include "Modules.h"
#include "StringTable.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;

// Tables from a scratch folder; the built-in tables and German come back afterwards.
class StringTableFolder : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override
    {
        UseStringTableFolder(QString());
        SetLanguageState(1);
    }

    void write(const char *name, const QByteArray &content)
    {
        ASSERT_TRUE(WriteAll(dir.filePath(QLatin1String(name)), content));
        UseStringTableFolder(dir.path());
    }

    QTemporaryDir dir;
};

TEST(Strings, BuiltInTableHoldsTheSettingsNames)
{
    EXPECT_EQ(LoadText(50), u"ZYRELL.INI"_s);
    EXPECT_EQ(LoadText(54), u"MISC"_s);
    EXPECT_EQ(LoadText(102), u"Y"_s);
    EXPECT_EQ((std::tuple{LoadText(110), LoadText(-1), LoadText(70000)}), std::tuple(QString(), QString(), QString()));
}

TEST_F(StringTableFolder, EachLanguageReadsItsOwnBlock)
{
    write("de.tsv", "568\tMaximale Anzahl an Objekten (30.000) erreicht!\n");
    write("en.tsv", "568\tMaximum amount of objects (30,000) reached!\n");

    EXPECT_EQ((std::tuple{Language(), GetText(568)}),
              std::tuple(1, u"Maximale Anzahl an Objekten (30.000) erreicht!"_s));

    ASSERT_TRUE(SetLanguageState(2));
    EXPECT_EQ((std::tuple{LanguageOffset(), GetText(568), LoadText(3568)}),
              std::tuple(3000, u"Maximum amount of objects (30,000) reached!"_s, GetText(568)));

    // No French table: its texts are empty, not German.
    ASSERT_TRUE(SetLanguageState(3));
    EXPECT_EQ(GetText(568), QString());
    ASSERT_TRUE(SetLanguageState(4));
    EXPECT_EQ(LanguageOffset(), 7000);
}

TEST_F(StringTableFolder, InvalidLanguageChangesNothing)
{
    ASSERT_TRUE(SetLanguageState(2));
    for (int n : {0, 5, -1, 99, 65538}) {
        EXPECT_FALSE(SetLanguageState(n)) << n;
        EXPECT_EQ((std::tuple{Language(), LanguageOffset()}), std::tuple(2, 3000));
    }
}

TEST_F(StringTableFolder, IdsWrapAtSixteenBits)
{
    write("ids.tsv", "5\tfive\n");
    EXPECT_EQ((std::tuple{GetText(5 - 1000), GetText(5 - 1000 + 65536), GetText(5 - 1000 - 65536)}),
              std::tuple(u"five"_s, u"five"_s, u"five"_s));
}

TEST_F(StringTableFolder, EscapesCommentsAndLineEndings)
{
    write("ids.tsv", "# a comment\n"
                     "\n"
                     "   \n"
                     "1\tline\\nbreak\\tand \\\\ backslash\n"
                     "2\t\\\\n stays a backslash and n\r\n"
                     "3\tunknown \\q and trailing \\\n"
                     "4\t  leading blanks and a # are text\n"
                     "5\traw\ttab kept\n");
    EXPECT_EQ(LoadText(1), u"line\nbreak\tand \\ backslash"_s);
    EXPECT_EQ((std::tuple{LoadText(2), LoadText(3), LoadText(4), LoadText(5)}),
              std::tuple(u"\\n stays a backslash and n"_s, u"unknown \\q and trailing \\"_s,
                         u"  leading blanks and a # are text"_s, u"raw\ttab kept"_s));
}

TEST_F(StringTableFolder, MalformedLinesAndForeignNumbersAreSkipped)
{
    write("de.tsv", "no tab here\n"
                    "x12\tnot a number\n"
                    "\tno number\n"
                    "2000\tbeyond the German block\n"
                    "-1\tbefore it\n"
                    "7\tfirst\n"
                    "7\tsecond\n"
                    "8\tÄnderungen\n");
    EXPECT_EQ(LoadText(3000), QString()); // would shadow English text 0
    EXPECT_EQ((std::tuple{LoadText(999), LoadText(1007), GetText(8)}),
              std::tuple(QString(), u"first"_s, u"Änderungen"_s));
}

TEST_F(StringTableFolder, TextsAreCutTo254Characters)
{
    const QByteArray longText(300, 'a');
    // An emoji (two UTF-16 units) straddling the limit must not be split.
    const QByteArray straddling = QByteArray(253, 'b') + "\xF0\x9F\x98\x80" + "cc";
    write("ids.tsv", "1\t" + longText + "\n2\t" + straddling + "\n3\t" + QByteArray(254, 'c') + "\n");

    EXPECT_EQ(LoadText(1), QString(254, QLatin1Char('a')));
    EXPECT_EQ(LoadText(2), QString(253, QLatin1Char('b')));
    EXPECT_EQ(LoadText(3).size(), 254);
}

} // namespace

// A module that is not there leaves no entry and a reason naming its file;
// a present one loads (the tests find the modules in the build folder).
TEST(Modules, AMissingModuleGivesAReasonAndAPresentOneLoads)
{
    EXPECT_EQ(ModuleEntry("quelmark-none", "QmNothing"), nullptr);
    EXPECT_TRUE(ModuleError("quelmark-none").contains(QStringLiteral("libquelmark-none.so")));
    EXPECT_NE(ModuleEntry("quelmark-imaging", "QmDecodeForeign"), nullptr);
    EXPECT_EQ(ModuleError("quelmark-imaging"), QString());
}
