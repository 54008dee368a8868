#pragma once
// Per-page undo: the last five changes as compact snapshots of only the
// frames they touch, and redo of what undo took back until the next change.
// It also hands out the frame Ids that tie snapshots to frames.

#include <QByteArray>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

class TCDLFrame;
class TCDLFrameList;
class TCDLPage;

enum class TUndoKind : uint8_t {
    Position = 0,
    Properties = 1,
    Deletion = 2,
    Creation = 3,
    StepForward = 4,
    StepBack = 5,
    Size = 6,
    // The whole record: an edit of what a kind's property record leaves out
    // (a picture turned or mirrored).
    Record = 7,
    ToFront = 10,
    ToBack = 11,
};

class TUndoStreamList
{
public:
    uint16_t MaxCount = 5;
    QByteArray &Push();
    QByteArray *Last() { return m_streams.empty() ? nullptr : &m_streams.back(); }
    void DeleteLast()
    {
        m_pushedOut.reset();
        if (!m_streams.empty())
            m_streams.pop_back();
    }
    // Takes back the last push: its stream goes and the one it pushed out
    // of a full list comes back.
    void Unpush();
    bool IsEmpty() const { return m_streams.empty(); }
    int Count() const { return int(m_streams.size()); }

private:
    std::deque<QByteArray> m_streams;
    std::optional<QByteArray> m_pushedOut;
};

class TUndo
{
public:
    explicit TUndo(TCDLPage *page);
    ~TUndo();
    TUndo(const TUndo &) = delete;
    TUndo &operator=(const TUndo &) = delete;

    TCDLPage *Page;
    int32_t NextIdValue = 0;
    TUndoStreamList Snapshots;

    int32_t NextId();
    // Snapshot of f, or of the selection s (f joins a non-empty s). A new
    // change: the redo steps are set aside, and gone unless KeepRedo or
    // Withdraw follows at once.
    void Record(TCDLFrame *f, const TCDLFrameList *s, TUndoKind kind);
    // The edit the newest snapshot was taken for never happened (a creation
    // given up, a press that did not move): its snapshot goes, the oldest one
    // it pushed out comes back, and so do the redo steps.
    void Withdraw();
    void Undo();
    // Brings back what the last undo took back, until the next change.
    void Redo();
    bool CanUndo() const { return !Snapshots.IsEmpty(); }
    bool CanRedo() const { return !m_redos.empty(); }
    // Counts every record, undo and redo: an edit that spans several events
    // (a run of arrow-key nudges) sees whether anything came between.
    uint64_t Revision() const { return m_revision; }

private:
    // The state an undo left behind: a snapshot of the opposite kind, or the
    // frames an undone creation took off the page, kept whole (an undone
    // paste of thousands is not written out once more).
    struct TRedoStep
    {
        QByteArray Snapshot;
        std::vector<std::unique_ptr<TCDLFrame>> Frames;
    };

    // Restores one snapshot and returns its opposite (empty when none of its
    // frames was found). With takeCreated, frames a creation snapshot removes
    // go there instead of being written out and freed.
    QByteArray Apply(const QByteArray &snapshot, std::vector<std::unique_ptr<TCDLFrame>> *takeCreated);
    // Puts kept frames back on top of the page; returns their creation snapshot.
    QByteArray PutBack(std::vector<std::unique_ptr<TCDLFrame>> &frames);
    void BeginRestore();
    void FinishRestore();
    void NotifyRedo();

    std::deque<TRedoStep> m_redos;
    std::deque<TRedoStep> m_setAside;
    uint64_t m_revision = 0;
};
