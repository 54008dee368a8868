#pragma once
// What a new frame's tool asks the person for before the frame goes on the
// page: a picture file, a scan, a folder. The kinds that ask live here in
// the document layer, so the interface does too; the window implements it
// with its dialogs and the editing layer hands it to the kind's Ask hook
// (TKindTool). Each operation comes with the first kind that asks for it.

class TCreationHost
{
public:
    virtual ~TCreationHost() = default;
};
