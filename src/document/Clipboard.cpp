#include "Clipboard.h"

#include "BinaryStream.h"
#include "Document.h"
#include "Errors.h"
#include "FrameRegistry.h"
#include "Page.h"
#include "SaveFile.h"
#include "Strings.h"

#include <QRandomGenerator>
#include <exception>

namespace {

constexpr int kRecordHeadSize = 8;

ELocalizedError FormatError() { return ELocalizedError(GetText(ClipboardText::BadFormat)); }

// Sets Busy for the lifetime of the guard, also when a read throws.
class TBusyGuard
{
public:
    explicit TBusyGuard(TSelectionClip &s) : m_s(s) { m_s.Busy = true; }
    ~TBusyGuard() { m_s.Busy = false; }
    TBusyGuard(const TBusyGuard &) = delete;
    TBusyGuard &operator=(const TBusyGuard &) = delete;

private:
    TSelectionClip &m_s;
};

// The record body of a kind this program builds; any damage is the
// clipboard's message.
std::unique_ptr<TCDLFrame> ReadFrame(TCDLPage &page, uint16_t tag, TStreamReader &in)
{
    std::unique_ptr<TCDLFrame> f = CreateFrameByTag(tag, &page);
    if (!f)
        throw FormatError();
    try {
        f->ReadFromStream(in);
    } catch (const ELocalizedError &) {
        throw FormatError();
    }
    return f;
}

// The page's 30,000 limit refuses before anything changed; the frame is
// freed with the unique_ptr. A frame the selection refuses (its member
// guard) leaves the page again.
void AddSelected(TCDLPage &page, std::unique_ptr<TCDLFrame> f)
{
    TCDLFrame *raw = f.get();
    page.AddFrame(std::move(f));
    try {
        page.AddToSelection(raw);
    } catch (...) {
        page.DeleteFrame(page.IndexOf(raw));
        throw;
    }
}

void MakeActive(TCDLPage &page, std::unique_ptr<TCDLFrame> f)
{
    TCDLFrame *raw = f.get();
    page.AddFrame(std::move(f));
    page.Activate(raw);
}

// One record: 50 units right and down of the active frame, or of where it
// was copied from when nothing is active.
void PasteSingle(TCDLPage &page, uint16_t tag, TStreamReader &in)
{
    std::unique_ptr<TCDLFrame> f = ReadFrame(page, tag, in);
    const TCDLFrame &ref = page.ActiveFrame() ? *page.ActiveFrame() : *f;
    f->ShiftBy(int64_t(ref.X) + PasteStep - f->X, int64_t(ref.Y) + PasteStep - f->Y);
    MakeActive(page, std::move(f));
}

// The members of a block behind its head. Data that simply ends (no end
// marker, a cut-off record head) ends the read; what was read is offset and
// selected even when a damaged record throws.
void ReadSelection(TCDLPage &page, TStreamReader &in)
{
    TSelectionClip &s = page.SelectionClip;
    if (s.Busy)
        return;
    TBusyGuard busy(s);
    page.ClearSelection();
    if (in.remaining() < 4)
        throw FormatError();
    const int32_t clipId = in.readInt32();
    if (clipId != s.ClipId)
        s.PasteOffset = QPoint();
    s.ClipId = clipId;

    std::exception_ptr failure;
    try {
        while (in.remaining() >= 2) {
            const uint16_t marker = in.readWord();
            if (marker == SelectionEndMarker || in.remaining() < kRecordHeadSize - 2)
                break;
            const uint16_t tag = in.readWord();
            in.skip(4);
            if (marker != RecordMarker)
                throw FormatError();
            AddSelected(page, ReadFrame(page, tag, in));
        }
    } catch (const ELocalizedError &) {
        failure = std::current_exception();
    }
    s.PasteOffset += QPoint(PasteStep, PasteStep);
    for (TCDLFrame *f : page.Selection().Items())
        f->ShiftBy(s.PasteOffset.x(), s.PasteOffset.y());
    if (failure)
        std::rethrow_exception(failure);
}

void ReadPrivate(TCDLPage &page, TStreamReader &in)
{
    if (in.remaining() < kRecordHeadSize)
        throw FormatError();
    const uint16_t marker = in.readWord();
    const uint16_t tag = in.readWord();
    in.skip(4);
    if (marker != RecordMarker)
        throw FormatError();
    if (tag == TagSelectionBlock)
        ReadSelection(page, in);
    else
        PasteSingle(page, tag, in);
}

// What another program put there, as a frame of the kind that takes it.
void PasteForeign(TCDLPage &page, const TFrameKind &kind, const TClipData &clip)
{
    std::unique_ptr<TCDLFrame> f = kind.Create(&page, 0, 0);
    f->SetDefaults();
    f->PasteFromClip(clip);
    MakeActive(page, std::move(f));
}

// The status line and the commands follow the selection as it now is.
void ShowSelection(TCDLPage &page)
{
    page.ShowSelectionStatus();
    page.Repaint();
    if (page.Window)
        page.Window->CommandStatesChanged();
}

// What every insertion ends with once something arrived.
void FinishInsert(TCDLPage &page)
{
    page.ActivateLoneMember();
    page.Modified = true;
    page.AnnounceShownFrame();
    page.Undo.Record(page.ActiveFrame(), &page.Selection(), TUndoKind::Creation);
    ShowSelection(page);
}

template <class Read> bool Insert(TCDLPage &page, Read read)
{
    const int before = page.FrameCount();
    std::exception_ptr failure;
    try {
        read();
    } catch (const ELocalizedError &) {
        failure = std::current_exception();
    }
    const bool arrived = page.FrameCount() > before;
    if (arrived)
        FinishInsert(page);
    else {
        // A refused selection read has let go of the old selection.
        page.AnnounceShownFrame();
        ShowSelection(page);
    }
    if (failure)
        std::rethrow_exception(failure);
    return arrived;
}

} // namespace

QByteArray WriteSelectionBlock(const TCDLPage &page)
{
    TStreamWriter w;
    w.writeWord(RecordMarker);
    w.writeWord(TagSelectionBlock);
    w.writeInt32(0);
    w.writeInt32(page.SelectionClip.ClipId);
    for (const TCDLFrame *f : page.Selection().Items())
        f->WriteToStream(w);
    w.writeWord(SelectionEndMarker);
    return w.take();
}

TClipData CopyFromPage(TCDLPage &page)
{
    TClipData clip;
    TSelectionClip &s = page.SelectionClip;
    if (page.ActiveFrame()) {
        page.ActiveFrame()->CopyToClip(clip);
        return clip;
    }
    if (page.Selection().IsEmpty())
        return clip;
    s.ClipId = int32_t(QRandomGenerator::global()->bounded(60000));
    s.PasteOffset = QPoint();
    if (s.Busy)
        return clip;
    TBusyGuard busy(s);
    clip.HasPrivate = true;
    clip.Private = WriteSelectionBlock(page);
    return clip;
}

TClipData CutFromPage(TCDLPage &page)
{
    TClipData clip = CopyFromPage(page);
    if (!clip.IsEmpty())
        page.DeleteSelected();
    return clip;
}

bool PasteIntoPage(TCDLPage &page, const TClipData &clip)
{
    if (clip.HasPrivate) {
        TStreamReader in(clip.Private);
        return Insert(page, [&] { ReadPrivate(page, in); });
    }
    if (const TFrameKind *k = FindKindForPaste(clip))
        return Insert(page, [&] { PasteForeign(page, *k, clip); });
    return false;
}

QByteArray SelectionFileBytes(TCDLPage &page)
{
    page.GroupActive();
    // The selection goes back to how it was, also when a record refuses.
    auto restore = [&] {
        page.ActivateLoneMember();
        page.Repaint();
    };
    TStreamWriter w;
    try {
        WriteFileHeader(w, SelectionFileVersion);
        w.writeBytes(WriteSelectionBlock(page));
        WriteFileTrailer(w);
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return w.take();
}

void SaveSelectionFile(TCDLPage &page, const QString &path)
{
    if (!WriteFileWhole(path, SelectionFileBytes(page)))
        throw ELocalizedError(GetText(DocumentText::SaveFailed));
}

bool ReadSelectionFile(TCDLPage &page, const QByteArray &data)
{
    if (data.size() < FileHeaderSize || uint8_t(data[0]) != 0xBE || uint8_t(data[1]) != 0xBA)
        throw FormatError();
    TStreamReader in(data);
    in.skip(FileHeaderSize);
    return Insert(page, [&] { ReadPrivate(page, in); });
}

bool LoadSelectionFile(TCDLPage &page, const QString &path)
{
    const std::optional<QByteArray> data = ReadFileWhole(path, MaxFileSize);
    if (!data)
        throw ELocalizedError(GetText(DocumentText::ReadFailed));
    return ReadSelectionFile(page, *data);
}
