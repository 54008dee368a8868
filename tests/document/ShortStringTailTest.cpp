// The bytes after a short string's text are whatever the writer of the file
// left there. Files from other installations carry them; a resave, an undo
// and a trip through the clipboard must give them back unchanged, and only a
// text the program changed is written padded with zeros.

#include "BinaryStream.h"
#include "Clipboard.h"
#include "Document.h"
#include "RoundText.h"
#include "SerNo.h"
#include "Text.h"

#include <gtest/gtest.h>

namespace {

// Distinct texts, each stored once in the file, so they can be found by value.
const char *const kTexts[] = {"Tahoma", "Courier New", "Times", "CD-####", "Arial Black"};

// A document with every kind that stores short strings, on all three pages.
QByteArray CleanFile()
{
    TCDLDocument doc;
    auto t = std::make_unique<TCDLText>(&doc.Label(), -300, -100);
    t->FontName = QLatin1String(kTexts[0]);
    t->Values = QStringList{QStringLiteral("Titel")};
    doc.Label().AddFrame(std::move(t));
    auto r = std::make_unique<TCDLRText>(&doc.Front(), 0, 400);
    r->FontName = QLatin1String(kTexts[1]);
    r->Values = QStringList{QStringLiteral("rundherum")};
    doc.Front().AddFrame(std::move(r));
    auto s = std::make_unique<TCDLSerNo>(&doc.Back(), 10, 20);
    s->FontName = QLatin1String(kTexts[2]);
    s->NumberFormat = QLatin1String(kTexts[3]);
    doc.Back().AddFrame(std::move(s));
    auto b = std::make_unique<TCDLText>(&doc.Back(), 50, 60);
    b->FontName = QLatin1String(kTexts[4]);
    doc.Back().AddFrame(std::move(b));
    return doc.ToBytes();
}

qsizetype FieldAt(const QByteArray &file, const char *text)
{
    const QByteArray head = char(qstrlen(text)) + QByteArray(text);
    const qsizetype at = file.indexOf(head);
    EXPECT_GE(at, 0) << text;
    EXPECT_EQ(file.indexOf(head, at + 1), -1) << text << " is not unique";
    return at;
}

// The tail of the field holding text, as it stands in file.
QByteArray Tail(const QByteArray &file, const char *text)
{
    const qsizetype at = FieldAt(file, text);
    const qsizetype len = qstrlen(text);
    return file.mid(at + 1 + len, ShortStringMax - len);
}

// The same file with a different non-zero pattern after every text.
QByteArray WithGarbage()
{
    QByteArray file = CleanFile();
    int seed = 0x5A;
    for (const char *text : kTexts) {
        const qsizetype from = FieldAt(file, text) + 1 + qstrlen(text);
        for (qsizetype i = from; i < FieldAt(file, text) + ShortStringSize; ++i) {
            seed = (seed * 73 + 41) & 0xFF;
            file[i] = char(seed | 1);
        }
    }
    return file;
}

} // namespace

TEST(ShortStringTail, AFileResavesByteForByteAndOnlyAChangedTextIsPaddedWithZeros)
{
    const QByteArray file = WithGarbage();
    ASSERT_NE(file, CleanFile());
    TCDLDocument doc;
    doc.FromBytes(file, nullptr);
    EXPECT_EQ(doc.ToBytes().toHex(), file.toHex());
    dynamic_cast<TCDLSerNo &>(*doc.Back().FrameAt(0)).NumberFormat = QStringLiteral("CD-###");
    // Changed and changed back is the same field again.
    auto &text = dynamic_cast<TCDLText &>(*doc.Label().FrameAt(0));
    text.FontName = QStringLiteral("Other");
    text.FontName = QLatin1String(kTexts[0]);

    const QByteArray saved = doc.ToBytes();
    EXPECT_EQ(Tail(saved, "CD-###"), QByteArray(ShortStringMax - 6, '\0'));
    for (const char *kept : {kTexts[0], kTexts[1], kTexts[2], kTexts[4]})
        EXPECT_EQ(Tail(saved, kept), Tail(file, kept)) << kept;

    // A frame the program made writes zeros.
    auto fresh = std::make_unique<TCDLText>(&doc.Front(), 0, 0);
    fresh->FontName = QStringLiteral("Verdana");
    doc.Front().AddFrame(std::move(fresh));
    EXPECT_EQ(Tail(doc.ToBytes(), "Verdana"), QByteArray(ShortStringMax - 7, '\0'));

    // The same text read again without a tail leaves none to write back.
    TStreamWriter clean;
    TCDLDocument plain;
    plain.FromBytes(CleanFile(), nullptr);
    plain.Label().FrameAt(0)->WriteToStream(clean);
    TStreamReader in(clean.take());
    in.skip(8);
    doc.Label().FrameAt(0)->ReadFromStream(in);
    EXPECT_EQ(Tail(doc.ToBytes(), kTexts[0]), QByteArray(ShortStringMax - 6, '\0'));
}

TEST(ShortStringTail, UndoAndClipboardCarryTheFieldAsRead)
{
    const QByteArray file = WithGarbage();
    TCDLDocument doc;
    doc.FromBytes(file, nullptr);

    // Deleted and brought back by undo: the page is as it was read.
    doc.Label().SelectAll();
    doc.Label().DeleteSelected();
    ASSERT_EQ(doc.Label().FrameCount(), 0);
    doc.Label().Undo.Undo();
    ASSERT_EQ(doc.Label().FrameCount(), 1);
    EXPECT_EQ(doc.ToBytes().toHex(), file.toHex());

    // A property snapshot restores the text and with it the stored field.
    auto *f = dynamic_cast<TCDLRText *>(doc.Front().FrameAt(0));
    ASSERT_NE(f, nullptr);
    doc.Front().Undo.Record(f, nullptr, TUndoKind::Properties);
    f->FontName = QStringLiteral("Changed");
    doc.Front().Undo.Undo();
    EXPECT_EQ(dynamic_cast<TCDLRText &>(*doc.Front().FrameAt(0)).FontName, QLatin1String(kTexts[1]));
    EXPECT_EQ(doc.ToBytes().toHex(), file.toHex());

    // Copied into another document: the record keeps its tail there too.
    doc.Back().SelectAll();
    const TClipData clip = CopyFromPage(doc.Back());
    TCDLDocument other;
    ASSERT_TRUE(PasteIntoPage(other.Label(), clip));
    const QByteArray pasted = other.ToBytes();
    for (const char *text : {kTexts[2], kTexts[3], kTexts[4]})
        EXPECT_EQ(Tail(pasted, text), Tail(file, text)) << text;
}

TEST(ShortStringTail, StoredBytesAreUsedOnlyWhileTheyHoldTheText)
{
    const QByteArray bytes = QByteArray(1, 5) + "Arial" + QByteArray(35, '\x7F');
    TShortStringField stored;
    std::copy(bytes.begin(), bytes.end(), stored.begin());
    TStreamWriter same;
    same.writeShortString(QStringLiteral("Arial"), &stored);
    EXPECT_EQ(same.data(), bytes);
    TStreamWriter other;
    other.writeShortString(QStringLiteral("Arian"), &stored);
    EXPECT_EQ(other.data(), QByteArray(1, 5) + "Arian" + QByteArray(35, '\0'));
    // A length byte beyond 40 reads as the first 40 characters and is kept
    // as it was while those stay.
    QByteArray longField = QByteArray(1, char(200)) + QByteArray(40, 'x');
    TStreamReader r(longField);
    TShortStringField read;
    const QString s = r.readShortString(&read);
    EXPECT_EQ(s.size(), 40);
    TStreamWriter back;
    back.writeShortString(s, &read);
    EXPECT_EQ(back.data(), longField);
}
