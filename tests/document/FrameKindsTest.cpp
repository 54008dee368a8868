// Every registered kind through its descriptor and its field table: found by
// tag, built by its factory, written, read into a fresh frame and written
// again byte for byte, dumped with exactly its stored fields.

#include "DocumentTestSupport.h"

#include "BinaryStream.h"
#include "FontFrame.h"
#include "FrameRegistry.h"
#include "Page.h"
#include "RoundText.h"
#include "SerNo.h"
#include "Text.h"
#include "TextLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

struct TExpectedKind
{
    uint16_t Tag;
    const char *Class;
    std::vector<TTool> Tools;
    // The established panel mask of the kind.
    uint16_t Panels;
};

const TExpectedKind kExpected[] = {
    {TagText, "TCDLText", {TTool::Text, TTool::Barcode}, 0x0172},
    {TagRText, "TCDLRText", {TTool::RoundText}, 0x0222},
    {TagSerNo, "TCDLSerNo", {TTool::SerialNumber}, 0x00B2},
    {TagLinie, "TCDLLinie", {TTool::Line}, 0x0006},
    {TagRechteck, "TCDLRechteck", {TTool::Rectangle}, 0x001F},
    {TagKreis, "TCDLKreis", {TTool::Circle}, 0x000F},
    {TagEllipse, "TCDLEllipse", {TTool::Ellipse}, 0x001F},
    {TagBild, "TCDLBild", {TTool::Picture, TTool::ScannedPicture}, 0x100E},
    {TagDir, "TCDLDIR", {TTool::DirectoryListing}, 0x0C22},
};

const TRecordField *FindField(const TCDLFrame &f, const char *name)
{
    for (const TRecordField &field : f.RecordLayout())
        if (std::string(field.Name) == name)
            return &field;
    return nullptr;
}

// Every stored field a value unlike its default and unlike its neighbours'.
void FillEveryField(TCDLFrame &f)
{
    int i = 0;
    for (const TRecordField &field : f.RecordLayout()) {
        ++i;
        switch (field.Type) {
        case TFieldType::Int32: field.Ref<int32_t>(f) = (i % 2 ? -1 : 1) * (1000 + 37 * i); break;
        case TFieldType::Color: field.Ref<TColor>(f) = 0x00102030u + TColor(i); break;
        case TFieldType::Bool: field.Ref<bool>(f) = !field.Ref<bool>(f); break;
        case TFieldType::ShortString: field.Ref<QString>(f) = QStringLiteral("Schrift %1").arg(i); break;
        case TFieldType::Paragraphs:
            field.Ref<QStringList>(f) = {QStringLiteral("Zeile %1").arg(i), QString(), QStringLiteral("Größe")};
            break;
        case TFieldType::Custom: break; // a kind's own parts: its own tests
        }
    }
}

qsizetype StoredSize(const TCDLFrame &f)
{
    qsizetype n = 8;
    for (const TRecordField &field : f.RecordLayout()) {
        switch (field.Type) {
        case TFieldType::Int32:
        case TFieldType::Color: n += 4; break;
        case TFieldType::Bool: n += 1; break;
        case TFieldType::ShortString: n += ShortStringSize; break;
        case TFieldType::Paragraphs: n += 2 + JoinParagraphs(field.Ref<QStringList>(f)).size() + 1; break;
        case TFieldType::Custom: {
            TStreamWriter w;
            field.Codec->Write(f, w);
            n += w.size();
            break;
        }
        }
    }
    return n;
}

QByteArray Record(const TCDLFrame &f)
{
    TStreamWriter w;
    f.WriteToStream(w);
    return w.take();
}

QJsonObject Dump(const TCDLFrame &f)
{
    QJsonObject o;
    f.ToJson(o);
    return o;
}

std::string KindName(const testing::TestParamInfo<const TFrameKind *> &info) { return info.param->ClassName; }

class EveryKind : public testing::TestWithParam<const TFrameKind *>
{
protected:
    TCDLabel page{nullptr};
};

} // namespace

TEST_P(EveryKind, WritesReadsAndWritesAgainByteForByte)
{
    const TFrameKind &kind = *GetParam();
    const std::unique_ptr<TCDLFrame> f = kind.Create(&page, 0, 0);
    ASSERT_EQ(&f->Kind(), &kind);
    FillEveryField(*f);
    const QByteArray bytes = Record(*f);
    ASSERT_EQ(bytes.size(), StoredSize(*f));
    EXPECT_EQ(bytes.left(8), QByteArray::fromHex("BEBA") + char(kind.Tag) + QByteArray(5, '\0'));

    // A fresh frame of the tag holds only its defaults: everything the
    // second record carries came through the table.
    const std::unique_ptr<TCDLFrame> g = CreateFrameByTag(kind.Tag, &page);
    ASSERT_NE(g, nullptr);
    TStreamReader in(bytes);
    in.skip(8);
    g->ReadFromStream(in);
    EXPECT_EQ((std::tuple{in.atEnd(), Record(*g), Dump(*g)}), std::tuple(true, bytes, Dump(*f)));
}

TEST_P(EveryKind, DumpHoldsItsClassTagAndExactlyTheStoredFields)
{
    const TFrameKind &kind = *GetParam();
    const std::unique_ptr<TCDLFrame> f = kind.Create(&page, 0, 0);
    FillEveryField(*f);
    const QJsonObject o = Dump(*f);
    std::set<QString> expected{QStringLiteral("class"), QStringLiteral("tag")};
    for (const TRecordField &field : f->RecordLayout())
        EXPECT_TRUE(expected.insert(QLatin1String(field.Name)).second) << field.Name << " stored twice";
    const QStringList keys = o.keys();
    EXPECT_EQ(std::set<QString>(keys.begin(), keys.end()), expected);
    EXPECT_EQ((std::tuple{o.value(QStringLiteral("class")).toString(), o.value(QStringLiteral("tag")).toInt(),
                          o.value(QStringLiteral("X")).toInt()}),
              std::tuple(QLatin1String(kind.ClassName), kind.Tag, f->X));
}

// A panel edits fields; what it edits must be stored, or a save loses it.
TEST_P(EveryKind, WhatItsPanelsEditIsStored)
{
    const TFrameKind &kind = *GetParam();
    const std::unique_ptr<TCDLFrame> f = kind.Create(&page, 0, 0);
    const TPanels p = kind.Panels;
    EXPECT_EQ(p.testFlag(TPanel::Font), dynamic_cast<TCDLFontFrame *>(f.get()) != nullptr);
    EXPECT_EQ(p.testFlag(TPanel::SerialNumber), KindCast<TCDLSerNo>(f.get()) != nullptr);
    struct TEdits
    {
        TPanel Panel;
        std::vector<const char *> Fields;
    };
    const TEdits edits[] = {
        {TPanel::Font, {"FontName", "FontSize", "Bold", "Italic", "Underline", "Alignment"}},
        {TPanel::SerialNumber, {"UseValueList", "Counter", "NumberFormat", "Values"}},
        {TPanel::Text, {"Values"}},
        {TPanel::RoundText, {"Values", "Angle", "X2", "Y2"}},
        {TPanel::Rotation, {"Angle"}},
        {TPanel::Pen, {"PenSize"}},
        {TPanel::NoPenBox, {"NoPen"}},
        {TPanel::FillColor, {"FillColor", "NoFill"}},
        {TPanel::ColorPanel, {"PenColor"}},
        {TPanel::Directory, {"Columns", "ShowFiles", "ShowDate", "ShowSize", "SortMode", "Ascending", "Directory"}},
    };
    for (const TEdits &e : edits) {
        if (!p.testFlag(e.Panel))
            continue;
        for (const char *name : e.Fields)
            EXPECT_NE(FindField(*f, name), nullptr) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Registered, EveryKind, testing::ValuesIn(FrameKinds().begin(), FrameKinds().end()), KindName);

TEST(FrameKinds, EachIsFoundByTagAndByEveryToolThatMakesIt)
{
    ASSERT_EQ(FrameKinds().size(), std::size(kExpected));
    std::set<TTool> claimed;
    for (const TExpectedKind &e : kExpected) {
        SCOPED_TRACE(e.Class);
        const TFrameKind *k = FindKind(e.Tag);
        ASSERT_NE(k, nullptr);
        EXPECT_STREQ(k->ClassName, e.Class);
        EXPECT_EQ(k->Panels.toInt(), e.Panels);
        const auto f = CreateFrameByTag(e.Tag, nullptr);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(&f->Kind(), k);
        EXPECT_STREQ(f->ClassName(), e.Class);
        EXPECT_EQ(f->TypeTag(), e.Tag);
        ASSERT_EQ(k->Tools.size(), e.Tools.size());
        for (TTool t : e.Tools) {
            const TKindTool *use = nullptr;
            EXPECT_EQ(FindKindByTool(t, &use), k);
            ASSERT_NE(use, nullptr);
            EXPECT_EQ(use->Tool, t);
            EXPECT_TRUE(claimed.insert(t).second) << "a tool makes one kind";
        }
    }
    // Tags that name no frame, and kinds not built yet.
    for (uint16_t tag : {0, 9, 16, 20, 21, 0xFACE})
        EXPECT_EQ(CreateFrameByTag(tag, nullptr), nullptr) << tag;
    for (TTool t : {TTool::Edit})
        EXPECT_EQ(FindKindByTool(t), nullptr);
}

// One record of each text layout, byte for byte, read back into the same fields.
TEST(FrameKinds, TextRecordsMatchHandComputedBytes)
{
    TInlayVorder page(nullptr);
    TCDLText t(&page, -10, 20);
    t.Width = 300;
    t.Height = 200;
    t.PenColor = 0x0000FF;
    t.FontSize = 12;
    t.Bold = true;
    t.Alignment = 3;
    t.Angle = -30;
    t.Values = QStringList{QStringLiteral("Größe"), QString(), QStringLiteral("b")};
    TCDLRText r(&page, 1, 2);
    r.X2 = 3;
    r.Y2 = 4;
    r.PenColor = 0x010203;
    r.FontSize = 9;
    r.Underline = true;
    r.Alignment = 1;
    r.Barcode = true;
    r.Angle = 180;
    r.Values = QStringList{QStringLiteral("ab")};
    TCDLSerNo s(&page, 5, -6);
    s.Width = 300;
    s.Height = 100;
    s.FontSize = 14;
    s.Italic = true;
    s.Alignment = 2;
    s.Angle = 90;
    s.UseValueList = true;
    s.Counter = -3;
    s.NumberFormat = QStringLiteral("~#");
    s.Values = QStringList{QStringLiteral("x"), QStringLiteral("y")};
    s.Barcode = true; // not stored: a serial number reads back without it
    const std::pair<const TCDLFrame *, QByteArray> rows[] = {
        {&t, Head(10) + Le32(-10) + Le32(20) + Le32(300) + Le32(200) + Le32(0xFF) + Short("Arial") + Le32(12)
                 + QByteArray("\x01\x00\x00", 3) + Le32(3) + U8(0) + Le32(-30) + Le16(11)
                 + QByteArray("Gr\xF6\xDF"
                              "e\r\n\r\nb\0",
                              11)},
        {&r, Head(11) + Le32(1) + Le32(3) + Le32(2) + Le32(4) + Le32(0x010203) + Short("Arial") + Le32(9)
                 + QByteArray("\x00\x00\x01", 3) + Le32(1) + U8(1) + Le32(180) + Le16(3) + QByteArray("ab\0", 3)},
        {&s, Head(12) + Le32(5) + Le32(-6) + Le32(300) + Le32(100) + Le32(0) + Short("Arial") + Le32(14)
                 + QByteArray("\x00\x01\x00", 3) + Le32(2) + Le32(90) + U8(1) + Le32(-3) + Short("~#") + Le16(5)
                 + QByteArray("x\r\ny\0", 5)},
    };
    for (const auto &[f, bytes] : rows) {
        SCOPED_TRACE(f->ClassName());
        EXPECT_EQ(Record(*f).toHex().toStdString(), bytes.toHex().toStdString());
        const std::unique_ptr<TCDLFrame> back = CreateFrameByTag(f->TypeTag(), &page);
        static_cast<TCDLFontFrame &>(*back).Barcode = true;
        TStreamReader in(bytes);
        in.skip(8);
        back->ReadFromStream(in);
        EXPECT_EQ((std::tuple{in.atEnd(), Dump(*back), static_cast<TCDLFontFrame &>(*back).Barcode}),
                  std::tuple(true, Dump(*f), f == &r));
    }
}

TEST(FrameKinds, KindCastTakesExactlyTheKind)
{
    TCDLSerNo s(nullptr, 0, 0);
    TCDLFrame *f = &s;
    EXPECT_EQ(KindCast<TCDLSerNo>(f), &s);
    EXPECT_EQ(KindCast<TCDLText>(f), nullptr) << "a serial number is built on a text but is not one";
    EXPECT_EQ(KindCast<TCDLSerNo>(static_cast<TCDLFrame *>(nullptr)), nullptr);
}

namespace {

// A kind of the test's own: a member of its own class in the table, and a
// part no plain field describes.
class TTestKind : public TCDLFrame
{
public:
    using TCDLFrame::TCDLFrame;
    static const TFrameKind Descriptor;
    const TFrameKind &Kind() const override { return Descriptor; }
    TRecordLayout RecordLayout() const override;
    int32_t Own = 0;
    QByteArray Blob;
};

const TFieldCodec kBlobCodec = {
    [](const TCDLFrame &f, TStreamWriter &out) {
        const QByteArray &b = static_cast<const TTestKind &>(f).Blob;
        out.writeInt32(int32_t(b.size()));
        out.writeBytes(b);
    },
    [](TCDLFrame &f, TStreamReader &in) {
        const int32_t n = in.readInt32();
        in.requireItems(n, 1);
        static_cast<TTestKind &>(f).Blob = in.readBytes(n);
    },
    [](const TCDLFrame &f) { return QJsonValue(QLatin1String(static_cast<const TTestKind &>(f).Blob.toBase64())); },
};

constexpr TRecordField kTestLayout[] = {
    QM_FIELD(TTestKind, X),
    QM_FIELD(TTestKind, Own),
    CustomField("Blob", kBlobCodec),
    QM_FIELD(TTestKind, Angle),
};

const TFrameKind TTestKind::Descriptor = {99, "TTestKind",      &MakeFrame<TTestKind>, {},
                                          {}, TTextFocus::None, TSnapRule::Box};

TRecordLayout TTestKind::RecordLayout() const { return kTestLayout; }

} // namespace

TEST(FrameKinds, ATableStoresTheKindsOwnMembersAndCustomParts)
{
    TTestKind f(nullptr, 7, 0);
    f.Own = -2;
    f.Blob = QByteArray("\x89PNG", 4);
    f.Angle = 90;
    const QByteArray bytes = Record(f);
    EXPECT_EQ(bytes.toHex(), QByteArray("beba630000000000"
                                        "07000000"
                                        "feffffff"
                                        "04000000"
                                        "89504e47"
                                        "5a000000"));

    TTestKind g(nullptr, 0, 0);
    TStreamReader in(bytes);
    in.skip(8);
    g.ReadFromStream(in);
    EXPECT_EQ((std::tuple{g.X, g.Own, g.Blob, g.Angle}), std::tuple(7, -2, f.Blob, 90));

    const QJsonObject o = Dump(g);
    EXPECT_EQ(o.value(QStringLiteral("class")).toString(), QStringLiteral("TTestKind"));
    EXPECT_EQ(o.value(QStringLiteral("Own")).toInt(), -2);
    EXPECT_EQ(o.value(QStringLiteral("Blob")).toString(), QStringLiteral("iVBORw=="));

    // A record cut short in the custom part is damage, not a short picture.
    TStreamReader cut(bytes.left(bytes.size() - 6));
    cut.skip(8);
    TTestKind h(nullptr, 0, 0);
    EXPECT_THROW(h.ReadFromStream(cut), ELocalizedError);
}
