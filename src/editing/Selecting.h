#pragma once
// What the mouse and the selection commands select. The page's selection
// operations keep its rules; these add the tools' own and the notices.

#include <QPoint>

class TCDLFrame;
class TCDLPage;

// The topmost frame under the device point, or null.
TCDLFrame *TopmostHit(const TCDLPage &page, int x, int y);

// Ctrl-click rules: the active frame joins the group before another frame is
// added; toggling the active frame deselects it. True when f was added.
bool ToggleSelected(TCDLPage &page, TCDLFrame *f);
// Takes a lone member out of the group as the active frame, and says so.
bool SingleToActive(TCDLPage &page);

void InvertSelection(TCDLPage &page);
void ClearSelection(TCDLPage &page);
// Every frame whose handle centre lies strictly inside the device rectangle
// spanned by the two corners.
void SelectInRect(TCDLPage &page, QPoint a, QPoint b);
// Tab: the next frame after the active one (wrapping); back for Shift+Tab.
void CycleActive(TCDLPage &page, bool backwards);
