#include "Undo.h"

#include "BinaryStream.h"
#include "Errors.h"
#include "FrameRegistry.h"
#include "Page.h"

#include <QtEndian>
#include <unordered_map>

namespace {

constexpr int32_t kOtherClassTag = 0xFACE;
constexpr int32_t kIdLimit = 200000001;

int32_t EntryTag(const TCDLFrame &f)
{
    const uint16_t tag = f.TypeTag();
    return FindKind(tag) ? int32_t(tag) : kOtherClassTag;
}

void WriteEntryData(TStreamWriter &w, const TCDLFrame &f, TUndoKind kind)
{
    switch (kind) {
    case TUndoKind::Position: w.writeInt32(f.X), w.writeInt32(f.Y), w.writeInt32(f.X2), w.writeInt32(f.Y2); break;
    case TUndoKind::Size:
        w.writeInt32(f.X), w.writeInt32(f.Y), w.writeInt32(f.X2), w.writeInt32(f.Y2);
        w.writeInt32(f.Width), w.writeInt32(f.Height);
        break;
    case TUndoKind::Properties: f.WriteProperties(w); break;
    case TUndoKind::Deletion:
    case TUndoKind::Record: f.WriteToStream(w); break;
    case TUndoKind::ToFront:
    case TUndoKind::ToBack: w.writeInt32(f.Page ? f.Page->IndexOf(&f) : 0); break;
    default: break;
    }
}

void WriteEntry(TStreamWriter &w, int32_t position, const TCDLFrame &f, TUndoKind kind)
{
    w.writeInt32(position);
    w.writeInt32(f.Id);
    w.writeInt32(EntryTag(f));
    WriteEntryData(w, f, kind);
}

constexpr qsizetype kHeadSize = 8;
constexpr qsizetype kEntryHeadSize = 12;
// Never handed out, so an entry with it finds no frame.
constexpr int32_t kNoId = -1;

// The head and an entry head written straight into a sized buffer, for
// snapshots of many frames.
void PutHead(char *at, TUndoKind kind, int32_t n)
{
    at[0] = char(kind);
    qToLittleEndian(n, at + 4);
}

void PutEntryHead(char *at, int32_t position, const TCDLFrame &f)
{
    qToLittleEndian(position, at);
    qToLittleEndian(f.Id, at + 4);
    qToLittleEndian(EntryTag(f), at + 8);
}

void WriteHead(TStreamWriter &w, TUndoKind kind, int32_t n)
{
    w.writeByte(uint8_t(kind));
    w.writeFill(3);
    w.writeInt32(n);
}

// The snapshot that takes back what restoring a snapshot of this kind does.
TUndoKind Opposite(TUndoKind kind)
{
    switch (kind) {
    case TUndoKind::Deletion: return TUndoKind::Creation;
    case TUndoKind::Creation: return TUndoKind::Deletion;
    case TUndoKind::StepForward: return TUndoKind::StepBack;
    case TUndoKind::StepBack: return TUndoKind::StepForward;
    default: return kind;
    }
}

} // namespace

QByteArray &TUndoStreamList::Push()
{
    m_pushedOut.reset();
    m_streams.emplace_back();
    if (int(m_streams.size()) > MaxCount) {
        m_pushedOut = std::move(m_streams.front());
        m_streams.pop_front();
    }
    return m_streams.back();
}

void TUndoStreamList::Unpush()
{
    std::optional<QByteArray> back = std::move(m_pushedOut);
    DeleteLast();
    if (back)
        m_streams.push_front(std::move(*back));
}

TUndo::TUndo(TCDLPage *page) : Page(page) {}

TUndo::~TUndo() = default;

int32_t TUndo::NextId()
{
    const int32_t id = NextIdValue;
    NextIdValue = NextIdValue + 1 >= kIdLimit ? 0 : NextIdValue + 1;
    return id;
}

void TUndo::Record(TCDLFrame *f, const TCDLFrameList *s, TUndoKind kind)
{
    std::vector<TCDLFrame *> frames;
    if (s && !s->IsEmpty()) {
        frames = s->Items();
        if (f && !s->Contains(f))
            frames.push_back(f);
    } else if (f) {
        frames.push_back(f);
    }
    if (frames.empty())
        return;

    TStreamWriter w;
    WriteHead(w, kind, int32_t(frames.size()));
    int32_t position = 1;
    for (TCDLFrame *fr : frames)
        WriteEntry(w, position++, *fr, kind);
    Snapshots.Push() = w.take();
    ++m_revision;
    const bool hadRedo = CanRedo();
    m_setAside = std::move(m_redos);
    m_redos.clear();
    if (Page && Page->Window) {
        Page->Window->SetUndoEnabled(true);
        if (hadRedo)
            Page->Window->SetRedoEnabled(false);
    }
}

void TUndo::Withdraw()
{
    Snapshots.Unpush();
    ++m_revision;
    if (Page && Page->Window)
        Page->Window->SetUndoEnabled(CanUndo());
    if (m_setAside.empty())
        return;
    m_redos = std::move(m_setAside);
    m_setAside.clear();
    NotifyRedo();
}

void TUndo::NotifyRedo()
{
    if (Page && Page->Window)
        Page->Window->SetRedoEnabled(CanRedo());
}

void TUndo::Undo()
{
    QByteArray *last = Snapshots.Last();
    if (!last || !Page)
        return;
    TRedoStep step;
    step.Snapshot = Apply(*last, &step.Frames);
    Snapshots.DeleteLast();
    ++m_revision;
    m_setAside.clear();
    if (!step.Snapshot.isEmpty() || !step.Frames.empty()) {
        m_redos.push_back(std::move(step));
        // A press that kept the redo steps can leave one more than undo holds.
        if (int(m_redos.size()) > Snapshots.MaxCount)
            m_redos.pop_front();
    }
    if (Snapshots.IsEmpty() && Page->Window)
        Page->Window->SetUndoEnabled(false);
    NotifyRedo();
}

void TUndo::Redo()
{
    if (m_redos.empty() || !Page)
        return;
    TRedoStep step = std::move(m_redos.back());
    m_redos.pop_back();
    QByteArray back = step.Frames.empty() ? Apply(step.Snapshot, nullptr) : PutBack(step.Frames);
    ++m_revision;
    m_setAside.clear();
    if (!back.isEmpty())
        Snapshots.Push() = std::move(back);
    if (Page->Window)
        Page->Window->SetUndoEnabled(CanUndo());
    NotifyRedo();
}

void TUndo::BeginRestore()
{
    TCDLPage &page = *Page;
    const bool hadActive = page.ActiveFrame();
    page.ClearSelection();
    if (hadActive)
        page.AnnounceShownFrame();
}

void TUndo::FinishRestore()
{
    TCDLPage &page = *Page;
    page.ActivateLoneMember();
    page.Repaint();
    page.AnnounceShownFrame();
    page.ShowSelectionStatus();
}

QByteArray TUndo::PutBack(std::vector<std::unique_ptr<TCDLFrame>> &frames)
{
    TCDLPage &page = *Page;
    BeginRestore();
    QByteArray created(kHeadSize + kEntryHeadSize * qsizetype(frames.size()), '\0');
    int32_t n = 0;
    for (auto &f : frames) {
        TCDLFrame *raw = f.get();
        try {
            page.AddFrame(std::move(f));
        } catch (const ELocalizedError &) {
            break; // the page is full; AddFrame freed it
        }
        PutEntryHead(created.data() + kHeadSize + kEntryHeadSize * n, n + 1, *raw);
        ++n;
        page.AddToSelection(raw);
    }
    frames.clear();
    FinishRestore();
    if (n == 0)
        return {};
    created.resize(kHeadSize + kEntryHeadSize * n);
    PutHead(created.data(), TUndoKind::Creation, n);
    return created;
}

QByteArray TUndo::Apply(const QByteArray &snapshot, std::vector<std::unique_ptr<TCDLFrame>> *takeCreated)
{
    TCDLPage &page = *Page;
    BeginRestore();

    // Looked up once: a snapshot of a whole page names every frame.
    std::unordered_map<int32_t, TCDLFrame *> byId;
    byId.reserve(page.Frames().size());
    for (auto &f : page.Frames())
        byId.try_emplace(f->Id, f.get());
    auto findById = [&](int32_t id) -> TCDLFrame * {
        const auto it = byId.find(id);
        return it == byId.end() ? nullptr : it->second;
    };
    std::unordered_set<const TCDLFrame *> created;

    // The opposite snapshot takes each frame's state before it changes. Moves
    // and z-order steps store the same fields both ways: their opposite is
    // this snapshot with the values swapped in place, which keeps the undo of
    // a whole page's move cheap. Re-created frames get bare entry heads; the
    // others are written anew.
    TUndoKind kind = TUndoKind::Position;
    bool inPlace = false;
    QByteArray opposite;
    QByteArray heads;
    TStreamWriter records;
    int32_t found = 0, done = 0;
    qsizetype doneEnd = kHeadSize;
    try {
        TStreamReader in(snapshot);
        kind = TUndoKind(in.readByte());
        in.skip(3);
        const int32_t n = in.readInt32();
        in.requireItems(n, kEntryHeadSize);
        inPlace = kind == TUndoKind::Position || kind == TUndoKind::Size || kind == TUndoKind::StepForward
                  || kind == TUndoKind::StepBack || kind == TUndoKind::ToFront || kind == TUndoKind::ToBack;
        if (inPlace) {
            opposite = snapshot;
            opposite[0] = char(Opposite(kind));
        } else if (kind == TUndoKind::Deletion) {
            heads = QByteArray(kHeadSize + kEntryHeadSize * qsizetype(n), '\0');
        } else {
            WriteHead(records, Opposite(kind), 0);
        }
        char *patch = inPlace ? opposite.data() : nullptr;
        auto putInts = [&](qsizetype at, std::initializer_list<int32_t> values) {
            for (int32_t v : values) {
                qToLittleEndian(v, patch + at);
                at += 4;
            }
        };
        for (int32_t e = 0; e < n; ++e) {
            const qsizetype entry = in.pos();
            in.skip(4);
            const int32_t id = in.readInt32();
            const int32_t entryTag = in.readInt32();
            TCDLFrame *f = findById(id);
            // A frame that is gone stays gone: its entry names none any more.
            if (inPlace && !f)
                qToLittleEndian(kNoId, patch + entry + 4);
            const qsizetype data = in.pos();
            switch (kind) {
            case TUndoKind::Position:
            case TUndoKind::Size: {
                const int32_t x = in.readInt32(), y = in.readInt32(), x2 = in.readInt32(), y2 = in.readInt32();
                int32_t w = 0, h = 0;
                if (kind == TUndoKind::Size)
                    w = in.readInt32(), h = in.readInt32();
                if (!f)
                    break;
                ++found;
                putInts(data, {f->X, f->Y, f->X2, f->Y2});
                f->X = x, f->Y = y, f->X2 = x2, f->Y2 = y2;
                if (kind == TUndoKind::Size) {
                    putInts(data + 16, {f->Width, f->Height});
                    f->Width = w, f->Height = h;
                }
                page.AddToSelection(f);
                break;
            }
            case TUndoKind::Properties:
            case TUndoKind::Record: {
                in.skip(8);
                // Without its frame the record is read into a throw-away one
                // of the entry's kind so the following entries stay in step;
                // a kind's own property record has a tag of its own.
                std::unique_ptr<TCDLFrame> scratch;
                if (!f && !(scratch = CreateFrameByTag(uint16_t(entryTag), &page)))
                    throw FileFormatError();
                if (f)
                    WriteEntry(records, ++found, *f, kind);
                TCDLFrame *into = f ? f : scratch.get();
                if (kind == TUndoKind::Record)
                    into->ReadFromStream(in);
                else
                    into->ReadProperties(in);
                if (f)
                    page.AddToSelection(f);
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
                PutEntryHead(heads.data() + kHeadSize + kEntryHeadSize * found, found + 1, *raw);
                ++found;
                page.AddToSelection(raw);
                break;
            }
            case TUndoKind::Creation:
                // Removed together after the loop.
                if (f && created.insert(f).second) {
                    ++found;
                    if (!takeCreated)
                        WriteEntry(records, found, *f, TUndoKind::Deletion);
                }
                break;
            case TUndoKind::StepForward:
            case TUndoKind::StepBack:
                if (f) {
                    ++found;
                    const int i = page.IndexOf(f);
                    if (kind == TUndoKind::StepForward && i > 0)
                        page.MoveFrame(i, i - 1);
                    else if (kind == TUndoKind::StepBack && i < page.FrameCount() - 1)
                        page.MoveFrame(i, i + 1);
                    page.AddToSelection(f);
                }
                break;
            case TUndoKind::ToFront:
            case TUndoKind::ToBack: {
                const int32_t index = in.readInt32();
                if (f) {
                    ++found;
                    const int i = page.IndexOf(f);
                    putInts(data, {i});
                    page.MoveFrame(i, index);
                }
                break;
            }
            }
            ++done;
            doneEnd = in.pos();
        }
    } catch (const ELocalizedError &) {
        // Forgiving by design: what could be restored stays restored, and
        // redo can take back just that.
        if (inPlace) {
            opposite.resize(doneEnd);
            qToLittleEndian(done, opposite.data() + 4);
        }
    }
    if (!created.empty()) {
        if (takeCreated) {
            page.TakeFrames(created, *takeCreated);
        } else {
            page.DeleteFrames(created);
        }
        page.AnnounceShownFrame();
    }
    FinishRestore();

    if (found == 0 || (takeCreated && kind == TUndoKind::Creation))
        return {};
    if (!heads.isEmpty()) {
        heads.resize(kHeadSize + kEntryHeadSize * found);
        PutHead(heads.data(), TUndoKind::Creation, found);
        return heads;
    }
    if (!inPlace) {
        records.patchInt32(4, found);
        return records.take();
    }
    return opposite;
}
