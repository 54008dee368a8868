#pragma once
// What a page asks of the window it sits on. A page without a host (print,
// preview, the command-line tool) paints non-interactively and asks nothing.

#include <QString>

class TCDLFrame;

class TPageHost
{
public:
    virtual ~TPageHost() = default;
    // The property panels show this frame, or nothing.
    virtual void RefreshPanels(TCDLFrame *frame) {}
    virtual void ShowStatus(const QString &text) {}
    virtual void RepaintPage() {}
    virtual void RepaintRulers() {}
    // Enable states of menu items and buttons may have changed.
    virtual void CommandStatesChanged() {}
    virtual void SetUndoEnabled(bool enabled) {}
    virtual void SetRedoEnabled(bool enabled) {}
    // A warning with an OK button.
    virtual void ShowWarning(const QString &text) {}
};
