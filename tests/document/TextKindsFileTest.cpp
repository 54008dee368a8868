// The three text-like kinds in a whole document: saved, opened and saved
// again byte for byte, and dumped with every stored field.

#include "Document.h"
#include "DocumentJson.h"
#include "RoundText.h"
#include "SerNo.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <QJsonArray>

namespace {

void Fill(TCDLDocument &doc)
{
    TCDLPage &label = doc.Page(TPageKind::CDLabel);
    auto t = std::make_unique<TCDLText>(&label, -300, -100);
    t->Width = 600;
    t->Height = 200;
    t->Alignment = 3;
    t->Values = QStringList{QStringLiteral("Größe und Gewicht"), QString()};
    label.AddFrame(std::move(t));
    auto r = std::make_unique<TCDLRText>(&label, 0, 400);
    r->Values = QStringList{QStringLiteral("rundherum")};
    r->Angle = 180;
    label.AddFrame(std::move(r));
    TCDLPage &back = doc.Page(TPageKind::InlayRueck);
    auto s = std::make_unique<TCDLSerNo>(&back, 10, 20);
    s->Width = 300;
    s->Height = 100;
    s->Counter = 17;
    s->NumberFormat = QStringLiteral("CD-####");
    back.AddFrame(std::move(s));
}

} // namespace

TEST(TextKindsFile, SaveOpenSaveIsByteForByte)
{
    TCDLDocument doc;
    Fill(doc);
    const QByteArray bytes = doc.ToBytes();
    TCDLDocument again;
    again.FromBytes(bytes, nullptr);
    ASSERT_EQ(again.Page(TPageKind::CDLabel).FrameCount(), 2);
    EXPECT_STREQ(again.Page(TPageKind::CDLabel).FrameAt(1)->ClassName(), "TCDLRText");
    EXPECT_STREQ(again.Page(TPageKind::InlayRueck).FrameAt(0)->ClassName(), "TCDLSerNo");
    EXPECT_EQ(again.ToBytes(), bytes);
}

TEST(TextKindsFile, DumpCarriesTheTextAndTheKindsFields)
{
    TCDLDocument doc;
    Fill(doc);
    const QJsonObject o = DocumentToJson(doc);
    const QJsonArray pages = o.value(QStringLiteral("pages")).toArray();
    const QJsonObject text = pages[0].toObject().value(QStringLiteral("Frames")).toArray()[0].toObject();
    EXPECT_EQ(text.value(QStringLiteral("class")).toString(), QStringLiteral("TCDLText"));
    EXPECT_EQ(text.value(QStringLiteral("Alignment")).toInt(), 3);
    EXPECT_EQ(text.value(QStringLiteral("Values")).toArray().size(), 2);
    EXPECT_EQ(text.value(QStringLiteral("Values")).toArray()[0].toString(), QStringLiteral("Größe und Gewicht"));
    const QJsonObject ser = pages[2].toObject().value(QStringLiteral("Frames")).toArray()[0].toObject();
    EXPECT_EQ(ser.value(QStringLiteral("NumberFormat")).toString(), QStringLiteral("CD-####"));
    EXPECT_EQ(ser.value(QStringLiteral("Counter")).toInt(), 17);
    EXPECT_FALSE(ser.contains(QStringLiteral("Barcode")));
}
