#pragma once
// The selection of one page when two or more frames are selected. It only
// refers to frames; the page owns them.

#include <QPoint>
#include <QString>
#include <cstdint>
#include <vector>

class TCDLFrame;
class TCDLPage;
class TPaintContext;

class TCDLFrameList
{
public:
    explicit TCDLFrameList(TCDLPage *page) : Page(page) {}

    std::vector<TCDLFrame *> Items;
    TCDLPage *Page;
    QPoint PasteOffset;
    int32_t ClipId = -1;
    bool Busy = false;

    void Add(TCDLFrame *f, bool drawHandles = true);
    void Remove(TCDLFrame *f);
    void Clear() { Items.clear(); }
    int Count() const { return int(Items.size()); }
    bool IsEmpty() const { return Items.empty(); }
    bool IsSingle() const { return Items.size() == 1; }
    bool Contains(const TCDLFrame *f) const;
    // Throws the localized internal error 1 for an index it does not hold.
    TCDLFrame *Get(int i) const;
    void SetState(uint8_t state);
    void PaintAll(TPaintContext &c, bool keepHandles);
    // Frees every member through the page.
    void DeleteAll();
    // "<n> Objekte ausgewählt"
    QString Describe() const;
};
