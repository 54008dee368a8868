#pragma once
// Per-page undo: the last five changes as compact snapshots of only the
// frames they touch. It also hands out the frame Ids that tie snapshots to
// frames.

#include <QByteArray>
#include <cstdint>
#include <deque>

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
    ToFront = 10,
    ToBack = 11,
};

class TUndoStreamList
{
public:
    uint16_t MaxCount = 5;
    QByteArray &Push();
    QByteArray *Last() { return m_streams.empty() ? nullptr : &m_streams.back(); }
    void DeleteLast() { if (!m_streams.empty()) m_streams.pop_back(); }
    void DeleteFirst() { if (!m_streams.empty()) m_streams.pop_front(); }
    bool IsEmpty() const { return m_streams.empty(); }
    int Count() const { return int(m_streams.size()); }

private:
    std::deque<QByteArray> m_streams;
};

class TUndo
{
public:
    explicit TUndo(TCDLPage *page) : Page(page) {}

    TCDLPage *Page;
    int32_t NextIdValue = 0;
    TUndoStreamList Snapshots;

    int32_t NextId();
    // Snapshot of f, or of the selection s (f joins a non-empty s).
    void Record(TCDLFrame *f, TCDLFrameList *s, TUndoKind kind);
    void Undo();
    bool CanUndo() const { return !Snapshots.IsEmpty(); }
};
