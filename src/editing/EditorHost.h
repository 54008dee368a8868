#pragma once
// What the page editor asks of the window around it: the tool bar's state,
// the coordinate display, the property panels' input focus and whom a new
// frame's kind may ask for what it needs.

#include "Tools.h"

#include <QString>

class TCDLFrame;
class TCreationHost;

class TEditorHost
{
public:
    virtual ~TEditorHost() = default;
    virtual TTool CurrentTool() const { return TTool::Edit; }
    // Each creation is one use of a drawing tool: back to the edit tool.
    virtual void ToolUsed() {}
    virtual void SetPointerText(const QString & /*text*/) {}
    // A new frame whose kind names a panel input wants that input.
    virtual void FocusTextInput(TCDLFrame * /*frame*/) {}
    // Null where nobody can be asked: a tool whose kind asks makes nothing.
    virtual TCreationHost *CreationHost() { return nullptr; }
};
