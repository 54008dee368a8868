#pragma once
// Selection commands and the selection rules the mouse tools share. They
// keep the page's invariant: one selected frame is the active frame with an
// empty selection list; the list holds none or two and more.

#include <QPoint>

class TCDLFrame;
class TCDLPage;

// The topmost frame under the device point, or null.
TCDLFrame *TopmostHit(const TCDLPage &page, int x, int y);

// Ctrl-click rules: the active frame joins the group before another frame is
// added; toggling the active frame deselects it. True when f was added.
bool ToggleSelected(TCDLPage &page, TCDLFrame *f);
// Takes a lone member out of the list as the active frame.
bool SingleToActive(TCDLPage &page);
// Drops the active frame (handles hidden, panels told).
void DropActive(TCDLPage &page);
// Removes every member, each back to the plain state.
void ClearGroup(TCDLPage &page);

void InvertSelection(TCDLPage &page);
void ClearSelection(TCDLPage &page);
// Every frame whose handle centre lies strictly inside the device rectangle
// spanned by the two corners.
void SelectInRect(TCDLPage &page, QPoint a, QPoint b);
// Tab: the next frame after the active one (wrapping); back for Shift+Tab.
void CycleActive(TCDLPage &page, bool backwards);
