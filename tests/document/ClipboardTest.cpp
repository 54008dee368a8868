// Frames through the clipboard's record form and selection files: the bytes,
// the paste offsets, undo, and damaged or oversized input.

#include "Clipboard.h"
#include "BinaryStream.h"
#include "Document.h"
#include "DocumentTestSupport.h"
#include "Errors.h"
#include "FileSizeLimit.h"
#include "Page.h"
#include "SerNo.h"
#include "Shapes.h"
#include "Strings.h"
#include "Text.h"
#include "base/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

TCDLFrame *AddLine(TCDLPage &p, int32_t x, int32_t y, int32_t x2, int32_t y2)
{
    TCDLFrame *f = Put(p, Make2<TCDLLinie>(&p, x, y, x2, y2));
    f->PenColor = 0x0000FF;
    f->PenSize = 3;
    return f;
}

void SelectAsGroup(TCDLPage &p, std::initializer_list<TCDLFrame *> frames)
{
    p.ClearSelection();
    for (TCDLFrame *f : frames)
        p.AddToSelection(f);
}

// A line record by hand: head with tag 13, then X, X2, Y, Y2, pen colour, pen size.
QByteArray LineRecord(int32_t x, int32_t y, int32_t x2, int32_t y2)
{
    return Head(13) + Le32(x) + Le32(x2) + Le32(y) + Le32(y2) + Le32(0x0000FF) + Le32(3);
}

QByteArray BlockHead(int32_t clipId) { return Head(16) + Le32(clipId); }

TClipData Private(const QByteArray &b)
{
    TClipData c;
    c.HasPrivate = true;
    c.Private = b;
    return c;
}

QPoint Pos(const TCDLFrame *f) { return {f->X, f->Y}; }
QPoint End(const TCDLFrame *f) { return {f->X2, f->Y2}; }

// The message of what the call threw, or empty when it did not.
template <class Call> QString MessageOf(Call call)
{
    try {
        call();
    } catch (const ELocalizedError &e) {
        return e.message();
    }
    return {};
}

QString PasteMessage(TCDLPage &p, const TClipData &c)
{
    return MessageOf([&] { PasteIntoPage(p, c); });
}

const QString kBadFormat = QStringLiteral("Fehler im Clipboardformat!");

} // namespace

TEST(Clipboard, SelectionBlockAndFileBytesAreTheRecordsBetweenHeadAndEndMarker)
{
    TCDLabel page(nullptr);
    TCDLFrame *a = AddLine(page, 10, -20, 30, 40);
    TCDLFrame *b = AddLine(page, -5, 6, 7, -8);
    SelectAsGroup(page, {b, a});
    page.SelectionClip.ClipId = 4711;
    const QByteArray block = BlockHead(4711) + LineRecord(-5, 6, 7, -8) + LineRecord(10, -20, 30, 40) + Le16(0xCEFA);
    EXPECT_EQ(WriteSelectionBlock(page), block);

    const QByteArray head = Le16(0xBABE) + U8(12) + "QUARRENDOLIN" + U8(0) + Le16(0x1111);
    const QByteArray trailer = Le16(0xBABE) + Le16(0xFFFF) + Le32(0);
    EXPECT_EQ((std::tuple{SelectionFileBytes(page), page.Selection().Count()}), std::tuple(head + block + trailer, 2));
}

TEST(Clipboard, CopyOfTheActiveFrameIsItsRecordAndTextKindsAddTheirText)
{
    TCDLabel page(nullptr);
    page.Activate(AddLine(page, 1, 2, 3, 4));
    TClipData line = CopyFromPage(page);
    EXPECT_EQ((std::tuple{line.Private, line.HasText}), std::tuple(LineRecord(1, 2, 3, 4), false));

    auto text = std::make_unique<TCDLText>(&page, 0, 0);
    text->Values = QStringList{QStringLiteral("erste"), QStringLiteral("zweite")};
    page.Activate(Put(page, std::move(text)));
    const TClipData c = CopyFromPage(page);
    EXPECT_TRUE(c.HasPrivate);
    EXPECT_EQ(c.Text, QStringLiteral("erste\r\nzweite"));

    page.Activate(Put(page, Make<TCDLSerNo>(&page, 0, 0)));
    EXPECT_FALSE(CopyFromPage(page).HasText);

    page.DropActive();
    EXPECT_TRUE(CopyFromPage(page).IsEmpty());
}

TEST(Clipboard, RepeatedPastesOfOneCopyStepFiftyAndANewCopyStartsAgain)
{
    TCDLabel page(nullptr);
    TCDLFrame *a = AddLine(page, 0, 0, 100, 0);
    TCDLFrame *b = AddLine(page, 200, 300, 250, 350);
    SelectAsGroup(page, {a, b});
    const TClipData clip = CopyFromPage(page);
    for (int n = 1; n <= 3; ++n) {
        ASSERT_TRUE(PasteIntoPage(page, clip));
        ASSERT_EQ(page.Selection().Count(), 2);
        EXPECT_EQ((std::tuple{page.ActiveFrame(), Pos(page.Selection().Get(0))}),
                  std::tuple(nullptr, QPoint(50 * n, 50 * n)));
        EXPECT_EQ(
            (std::tuple{End(page.Selection().Get(0)), Pos(page.Selection().Get(1)), page.Selection().Get(1)->State()}),
            std::tuple(QPoint(100 + 50 * n, 50 * n), QPoint(200 + 50 * n, 300 + 50 * n), TFrameState::Selected));
    }
    EXPECT_EQ((std::tuple{page.FrameCount(), page.Modified}), std::tuple(8, true));

    SelectAsGroup(page, {a, b});
    PasteIntoPage(page, CopyFromPage(page));
    EXPECT_EQ(Pos(page.Selection().Get(0)), QPoint(50, 50));

    // Another page has its own ClipId (-1 at first): it starts at +50 too.
    TInlayVorder other(nullptr);
    PasteIntoPage(other, clip);
    EXPECT_EQ(Pos(other.Selection().Get(1)), QPoint(250, 350));
}

TEST(Clipboard, SinglePastesCascadeFromTheActiveFrameAndKeepTheirShape)
{
    TCDLabel page(nullptr);
    TCDLFrame *line = AddLine(page, 100, 100, 300, 120);
    page.Activate(line);
    const TClipData clip = CopyFromPage(page);
    for (int n = 1; n <= 3; ++n) {
        PasteIntoPage(page, clip);
        ASSERT_NE(page.ActiveFrame(), line);
        EXPECT_EQ(
            (std::tuple{Pos(page.ActiveFrame()), End(page.ActiveFrame()), page.ActiveFrame()->State()}),
            std::tuple(QPoint(100 + 50 * n, 100 + 50 * n), QPoint(300 + 50 * n, 120 + 50 * n), TFrameState::Selected));
    }
    EXPECT_EQ(line->State(), TFrameState::Plain);

    // Nothing active: the frame lands 50 from where it was copied. Pasted
    // next to a frame of another kind, the line keeps its length.
    page.DropActive();
    PasteIntoPage(page, clip);
    EXPECT_EQ(Pos(page.ActiveFrame()), QPoint(150, 150));
    page.Activate(Put(page, Make<TCDLRechteck>(&page, -400, -400)));
    PasteIntoPage(page, clip);
    EXPECT_EQ(Pos(page.ActiveFrame()), QPoint(-350, -350));
    EXPECT_EQ(End(page.ActiveFrame()), QPoint(-150, -330));
}

TEST(Clipboard, CutIsUndoneOnceAndAPasteIsUndoneAsAWhole)
{
    TCDLabel page(nullptr);
    TCDLFrame *a = AddLine(page, 0, 0, 10, 10);
    TCDLFrame *b = AddLine(page, 20, 20, 30, 30);
    SelectAsGroup(page, {a, b});
    const TClipData clip = CutFromPage(page);
    EXPECT_EQ((std::tuple{page.FrameCount(), page.Selection().IsEmpty()}), std::tuple(0, true));

    page.Undo.Undo();
    ASSERT_EQ(page.FrameCount(), 2);
    EXPECT_EQ((std::tuple{Pos(page.FrameAt(1)), page.Undo.CanUndo()}), std::tuple(QPoint(20, 20), false));
    page.Undo.Undo();
    EXPECT_EQ(page.FrameCount(), 2);

    page.ClearGroup();
    PasteIntoPage(page, clip);
    EXPECT_EQ(page.FrameCount(), 4);
    page.Undo.Undo();
    EXPECT_EQ((std::tuple{page.FrameCount(), page.ActiveFrame(), page.Selection().IsEmpty()}),
              std::tuple(2, nullptr, true));
}

TEST(Clipboard, PlainTextBecomesANewTextFrameUnlessItIsTooLong)
{
    TCDLabel page(nullptr);
    TClipData text;
    text.HasText = true;
    text.Text = QStringLiteral("Hallo\nWelt");
    ASSERT_TRUE(PasteIntoPage(page, text));
    ASSERT_EQ(page.FrameCount(), 1);
    const TCDLFrame *f = page.FrameAt(0);
    ASSERT_EQ(f->TypeTag(), TagText);
    EXPECT_EQ(static_cast<const TCDLText *>(f)->Values, (QStringList{QStringLiteral("Hallo"), QStringLiteral("Welt")}));
    EXPECT_EQ((std::tuple{QPoint(f->Width, f->Height), page.ActiveFrame()}), std::tuple(QPoint(400, 400), f));

    // The private form wins over text offered beside it.
    TClipData both = Private(LineRecord(0, 0, 5, 5));
    both.HasText = true;
    both.Text = QStringLiteral("x");
    PasteIntoPage(page, both);
    EXPECT_EQ(page.ActiveFrame()->TypeTag(), TagLinie);

    text.Text = QString(TCDLText::MaxPasteChars + 1, QLatin1Char('a'));
    EXPECT_EQ((std::tuple{PasteMessage(page, text).isEmpty(), page.FrameCount(), PasteIntoPage(page, TClipData())}),
              std::tuple(false, 2, false));
}

TEST(Clipboard, DamagedBlocksReportTheFormatErrorAndKeepWhatWasRead)
{
    TCDLabel page(nullptr);
    const QByteArray good = LineRecord(1, 1, 2, 2);
    EXPECT_EQ(PasteMessage(page, Private(Le16(0xBEBA) + Le16(13) + Le32(0) + good.mid(8))), kBadFormat);
    EXPECT_EQ(PasteMessage(page, Private(Le16(0xBABE) + Le16(20) + Le32(0))), kBadFormat);
    EXPECT_EQ(PasteMessage(page, Private(Le16(0xBABE) + Le16(21) + Le32(0) + good.mid(8))), kBadFormat);
    EXPECT_EQ((std::tuple{PasteMessage(page, Private(QByteArray())), PasteMessage(page, Private(good.left(20))),
                          page.FrameCount()}),
              std::tuple(kBadFormat, kBadFormat, 0));

    // Two records, then one with a foreign marker, then one with a wrong tag.
    for (const QByteArray &bad :
         {QByteArray(Le16(0x1234) + good.mid(2)), QByteArray(Le16(0xBABE) + Le16(1) + good.mid(4))}) {
        TCDLabel p(nullptr);
        EXPECT_EQ(PasteMessage(p, Private(BlockHead(7) + good + good + bad + good + Le16(0xCEFA))), kBadFormat);
        ASSERT_EQ(p.FrameCount(), 2);
        EXPECT_EQ((std::tuple{p.Selection().Count(), Pos(p.FrameAt(1)), p.Modified, p.SelectionClip.Busy}),
                  std::tuple(2, QPoint(51, 51), true, false));
        p.Undo.Undo();
        EXPECT_EQ(p.FrameCount(), 0);
    }
}

TEST(Clipboard, EveryTruncationOfABlockEndsCleanly)
{
    const QByteArray block = BlockHead(3) + LineRecord(1, 2, 3, 4) + LineRecord(5, 6, 7, 8) + Le16(0xCEFA);
    for (qsizetype n = 0; n < block.size(); ++n) {
        TCDLabel page(nullptr);
        const QString message = PasteMessage(page, Private(block.left(n)));
        SCOPED_TRACE(n);
        EXPECT_FALSE(page.SelectionClip.Busy);
        const int whole = n >= 12 + 64 ? 2 : n >= 12 + 32 ? 1 : 0;
        EXPECT_EQ(page.FrameCount(), whole);
        // Ending between records, or in a cut-off record head, is just the end.
        const bool clean = n >= 12 && ((n - 12) % 32 < 8 || n >= 12 + 64);
        EXPECT_EQ(message, clean ? QString() : kBadFormat) << message.toStdString();
    }
}

TEST(Clipboard, HostileCoordinatesSaturateInsteadOfOverflowing)
{
    TCDLabel page(nullptr);
    PasteIntoPage(page, Private(BlockHead(1) + LineRecord(INT32_MAX, INT32_MIN, INT32_MAX - 10, 0) + Le16(0xCEFA)));
    ASSERT_NE(page.ActiveFrame(), nullptr);
    EXPECT_EQ(Pos(page.ActiveFrame()), QPoint(INT32_MAX, INT32_MIN + 50));
    EXPECT_EQ(page.ActiveFrame()->X2, INT32_MAX);
}

TEST(Clipboard, TheFrameLimitHoldsDuringPasteAndARefusedFrameIsNeverActive)
{
    TCDLabel page(nullptr);
    for (int i = 0; i < MaxFramesPerPage - 1; ++i)
        page.AddFrame(std::make_unique<TCDLLinie>(&page, 0, 0));
    TCDLFrame *last = page.FrameAt(0);
    page.Activate(last);
    const QByteArray block = BlockHead(9) + LineRecord(1, 1, 2, 2) + LineRecord(3, 3, 4, 4) + Le16(0xCEFA);
    EXPECT_EQ(PasteMessage(page, Private(block)), GetText(568));
    EXPECT_EQ(page.FrameCount(), MaxFramesPerPage);
    // The one that fitted is the active frame; the refused one is gone.
    ASSERT_NE(page.ActiveFrame(), nullptr);
    EXPECT_EQ(page.ActiveFrame(), page.FrameAt(MaxFramesPerPage - 1));
    EXPECT_EQ(Pos(page.ActiveFrame()), QPoint(51, 51));

    EXPECT_EQ((std::tuple{PasteMessage(page, Private(LineRecord(0, 0, 1, 1))), page.ActiveFrame(), page.FrameCount()}),
              std::tuple(GetText(568), page.FrameAt(MaxFramesPerPage - 1), MaxFramesPerPage));
}

TEST(Clipboard, ASelectionFileSavedOnOnePageLoadsOnAnother)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zwei.CDS"));
    TCDLabel page(nullptr);
    TCDLFrame *a = AddLine(page, 0, 0, 10, 10);
    TCDLFrame *b = AddLine(page, 20, 20, 30, 30);
    page.Activate(a);
    SaveSelectionFile(page, path);
    EXPECT_EQ((std::tuple{page.ActiveFrame(), page.Selection().IsEmpty()}), std::tuple(a, true));

    TInlayRueck back(nullptr);
    ASSERT_TRUE(LoadSelectionFile(back, path));
    ASSERT_EQ(back.FrameCount(), 1);
    EXPECT_EQ(Pos(back.ActiveFrame()), QPoint(50, 50));

    // Both files carry the page's ClipId, never drawn here: the second load
    // goes on from the first.
    SelectAsGroup(page, {a, b});
    SaveSelectionFile(page, path);
    LoadSelectionFile(back, path);
    EXPECT_EQ((std::tuple{back.FrameCount(), back.Selection().Count(), Pos(back.Selection().Get(1))}),
              std::tuple(3, 2, QPoint(120, 120)));

    // Only the marker of the head is looked at; a record directly behind it
    // is pasted like a single record.
    QByteArray single = SelectionFileBytes(page).left(FileHeaderSize);
    single[2] = 0;
    EXPECT_TRUE(ReadSelectionFile(back, single + LineRecord(5, 5, 6, 6)));
    EXPECT_EQ(back.ActiveFrame()->TypeTag(), TagLinie);
}

TEST(Clipboard, DocumentsAndDamagedFilesAreNoSelectionFiles)
{
    TCDLDocument doc;
    AddLine(doc.Label(), 1, 2, 3, 4);
    TCDLabel page(nullptr);
    for (const QByteArray &bytes : {doc.ToBytes(), QByteArray("\xBE\xBA"), QByteArray(40, 'x')})
        EXPECT_EQ(MessageOf([&] { ReadSelectionFile(page, bytes); }), kBadFormat) << bytes.toHex().toStdString();
    EXPECT_EQ(page.FrameCount(), 0);

    QTemporaryDir dir;
    EXPECT_EQ(MessageOf([&] { LoadSelectionFile(page, dir.filePath(QStringLiteral("fehlt.CDS"))); }),
              GetText(DocumentText::ReadFailed));
}

TEST(Clipboard, AFailedSaveReportsAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    TCDLabel page(nullptr);
    page.Activate(AddLine(page, 0, 0, 1, 1));
    EXPECT_EQ(MessageOf([&] { SaveSelectionFile(page, dir.filePath(QStringLiteral("fehlt/x.CDS"))); }),
              GetText(DocumentText::SaveFailed));

    // A full disk, inside the file's buffer and beyond it.
    const QString path = dir.filePath(QStringLiteral("alt.CDS"));
    ASSERT_TRUE(WriteAll(path, "alt"));
    for (const rlim_t limit : {10, 20000}) {
        if (limit > 10) {
            // Beyond the buffer takes a selection larger than it.
            for (int i = 0; i < 2000; ++i)
                AddLine(page, i, 0, i + 1, 1);
            page.DropActive();
            for (const auto &f : page.Frames())
                page.AddToSelection(f.get());
        }
        const TFileSizeLimit full(limit);
        EXPECT_THROW(SaveSelectionFile(page, path), ELocalizedError) << limit;
    }
    EXPECT_EQ(ReadAll(path), QByteArray("alt"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("alt.CDS")});
}

TEST(Clipboard, NothingStartsWhileTheSelectionIsBusy)
{
    TCDLabel page(nullptr);
    TCDLFrame *a = AddLine(page, 0, 0, 1, 1);
    TCDLFrame *b = AddLine(page, 5, 5, 6, 6);
    SelectAsGroup(page, {a, b});
    const TClipData clip = CopyFromPage(page);
    page.SelectionClip.Busy = true;
    EXPECT_EQ(
        (std::tuple{CopyFromPage(page).IsEmpty(), PasteIntoPage(page, clip), page.FrameCount(), page.Undo.CanUndo()}),
        std::tuple(true, false, 2, false));
    page.SelectionClip.Busy = false;
    EXPECT_TRUE(PasteIntoPage(page, clip));
}
