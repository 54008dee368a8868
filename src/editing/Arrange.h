#pragma once
// Lining up and spreading the selected frames of a page by their bounding
// rectangles. The z-order commands are the page's own operations.

class TCDLPage;

enum class TAlignMode {
    Left = 0,
    Right = 1,
    Top = 2,
    Bottom = 3,
    DistributeH = 4, // horizontal centres evenly spaced
    DistributeV = 5,
    CenterH = 6, // vertical centres onto one horizontal axis
    CenterV = 7,
};

// The mode a menu item or arrange button stands for by its tag (1..8; the
// two spreading and the two centring tags cross their modes), or -1.
int AlignModeOfTag(int tag);

// The active frame joins the selection; with two or more members the group
// is lined up (spread: three or more) under one position snapshot.
void Align(TCDLPage &page, TAlignMode mode);

// Whether the command would do anything with the page's current selection.
bool CanAlign(const TCDLPage &page, TAlignMode mode);
