#include "Undo.h"

#include "BinaryStream.h"
#include "Errors.h"
#include "FrameRegistry.h"
#include "Page.h"

#include <unordered_map>

namespace {

constexpr int32_t kOtherClassTag = 0xFACE;
constexpr int32_t kIdLimit = 200000001;

void WriteEntryData(TStreamWriter &w, const TCDLFrame &f, TUndoKind kind)
{
    switch (kind) {
    case TUndoKind::Position:
        w.writeInt32(f.X), w.writeInt32(f.Y), w.writeInt32(f.X2), w.writeInt32(f.Y2);
        break;
    case TUndoKind::Size:
        w.writeInt32(f.X), w.writeInt32(f.Y), w.writeInt32(f.X2), w.writeInt32(f.Y2);
        w.writeInt32(f.Width), w.writeInt32(f.Height);
        break;
    case TUndoKind::Properties:
    case TUndoKind::Deletion:
        f.WriteToStream(w);
        break;
    case TUndoKind::ToFront:
    case TUndoKind::ToBack:
        w.writeInt32(f.Page ? f.Page->IndexOf(&f) : 0);
        break;
    default:
        break;
    }
}

} // namespace

QByteArray &TUndoStreamList::Push()
{
    m_streams.emplace_back();
    if (int(m_streams.size()) > MaxCount)
        m_streams.pop_front();
    return m_streams.back();
}

int32_t TUndo::NextId()
{
    const int32_t id = NextIdValue;
    NextIdValue = NextIdValue + 1 >= kIdLimit ? 0 : NextIdValue + 1;
    return id;
}

void TUndo::Record(TCDLFrame *f, TCDLFrameList *s, TUndoKind kind)
{
    std::vector<TCDLFrame *> frames;
    if (s && !s->IsEmpty()) {
        if (f)
            s->Add(f, false);
        frames = s->Items();
    } else if (f) {
        frames.push_back(f);
    }
    if (frames.empty())
        return;

    TStreamWriter w;
    w.writeByte(uint8_t(kind));
    w.writeFill(3);
    w.writeInt32(int32_t(frames.size()));
    int32_t position = 1;
    for (TCDLFrame *fr : frames) {
        w.writeInt32(position++);
        w.writeInt32(fr->Id);
        const uint16_t tag = fr->TypeTag();
        w.writeInt32(tag >= TagText && tag <= TagDir ? int32_t(tag) : kOtherClassTag);
        WriteEntryData(w, *fr, kind);
    }
    Snapshots.Push() = w.take();
    if (Page && Page->Window)
        Page->Window->SetUndoEnabled(true);
}

void TUndo::Undo()
{
    QByteArray *last = Snapshots.Last();
    if (!last || !Page)
        return;
    TCDLPage &page = *Page;
    for (TCDLFrame *f : page.Selection.Items())
        f->State = 0;
    page.Selection.Clear();
    if (page.ActiveFrame) {
        page.ActiveFrame->State = 0;
        page.ActiveFrame = nullptr;
        page.AnnounceShownFrame();
    }

    // Looked up once: a snapshot of a whole page names every frame.
    std::unordered_map<int32_t, TCDLFrame *> byId;
    byId.reserve(page.Frames.size());
    for (auto &f : page.Frames)
        byId.try_emplace(f->Id, f.get());
    auto findById = [&](int32_t id) -> TCDLFrame * {
        const auto it = byId.find(id);
        return it == byId.end() ? nullptr : it->second;
    };
    std::unordered_set<const TCDLFrame *> created;

    // Snapshots are our own bytes, but a short one must still end cleanly.
    try {
        TStreamReader in(*last);
        const auto kind = TUndoKind(in.readByte());
        in.skip(3);
        const int32_t n = in.readInt32();
        in.requireItems(n, 12);
        for (int32_t e = 0; e < n; ++e) {
            in.skip(4);
            const int32_t id = in.readInt32();
            in.skip(4);
            TCDLFrame *f = findById(id);
            switch (kind) {
            case TUndoKind::Position:
            case TUndoKind::Size: {
                const int32_t x = in.readInt32(), y = in.readInt32(), x2 = in.readInt32(), y2 = in.readInt32();
                int32_t w = 0, h = 0;
                if (kind == TUndoKind::Size)
                    w = in.readInt32(), h = in.readInt32();
                if (!f)
                    break;
                f->X = x, f->Y = y, f->X2 = x2, f->Y2 = y2;
                if (kind == TUndoKind::Size)
                    f->Width = w, f->Height = h;
                page.Selection.Add(f, false);
                break;
            }
            case TUndoKind::Properties: {
                in.skip(2);
                const uint16_t tag = in.readWord();
                in.skip(4);
                // Without its frame the record is read into a throw-away one
                // so the following entries stay in step.
                std::unique_ptr<TCDLFrame> scratch;
                if (!f && !(scratch = CreateFrameByTag(tag, &page)))
                    throw FileFormatError();
                (f ? f : scratch.get())->ReadFromStream(in);
                if (f)
                    page.Selection.Add(f, false);
                break;
            }
            case TUndoKind::Deletion: {
                in.skip(2);
                const uint16_t tag = in.readWord();
                in.skip(4);
                std::unique_ptr<TCDLFrame> nf = CreateFrameByTag(tag, &page);
                if (!nf)
                    throw FileFormatError();
                nf->ReadFromStream(in);
                nf->Id = id;
                TCDLFrame *raw = nf.get();
                page.AddFrame(std::move(nf));
                page.Selection.Add(raw, false);
                break;
            }
            case TUndoKind::Creation:
                // Removed together after the loop.
                if (f)
                    created.insert(f);
                break;
            case TUndoKind::StepForward:
            case TUndoKind::StepBack:
                if (f) {
                    const int i = page.IndexOf(f);
                    if (kind == TUndoKind::StepForward && i > 0)
                        page.MoveFrame(i, i - 1);
                    else if (kind == TUndoKind::StepBack && i < page.FrameCount() - 1)
                        page.MoveFrame(i, i + 1);
                    page.Selection.Add(f, false);
                }
                break;
            case TUndoKind::ToFront:
            case TUndoKind::ToBack: {
                const int32_t index = in.readInt32();
                if (f)
                    page.MoveFrame(page.IndexOf(f), index);
                break;
            }
            }
        }
    } catch (const ELocalizedError &) {
        // Forgiving by design: what could be restored stays restored.
    }
    if (!created.empty()) {
        page.DeleteFrames(created);
        page.AnnounceShownFrame();
    }
    Snapshots.DeleteLast();

    page.Selection.SetState(1);
    if (page.Selection.IsSingle() && !page.ActiveFrame) {
        page.ActiveFrame = page.Selection.Get(0);
        page.Selection.Clear();
    }
    page.Repaint();
    page.AnnounceShownFrame();
    page.ShowSelectionStatus();
    if (Snapshots.IsEmpty() && page.Window)
        page.Window->SetUndoEnabled(false);
}
