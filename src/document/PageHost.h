#pragma once
// What a page asks of the window it sits on. A page without a host (print,
// preview, the command-line tool) paints non-interactively and asks nothing.

#include <QString>

class TCDLFrame;
class TCDLPage;

class TPageHost
{
public:
    virtual ~TPageHost() = default;
    // The active frame or the selection of page changed: frame is the one
    // the property panels show now, or none (nothing selected, or a group).
    // A frame announced stays alive until the page announces another.
    virtual void ShownFrameChanged(TCDLPage & /*page*/, TCDLFrame * /*frame*/) {}
    virtual void ShowStatus(const QString & /*text*/) {}
    virtual void RepaintPage() {}
    virtual void RepaintRulers() {}
    // Enable states of menu items and buttons may have changed.
    virtual void CommandStatesChanged() {}
    virtual void SetUndoEnabled(bool /*enabled*/) {}
    virtual void SetRedoEnabled(bool /*enabled*/) {}
    // A warning with an OK button.
    virtual void ShowWarning(const QString & /*text*/) {}
};
