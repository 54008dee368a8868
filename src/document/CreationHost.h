#pragma once
// What a new frame's tool asks the person for before the frame goes on the
// page: a picture file, a scan, a folder. The kinds that ask live here in
// the document layer, so the interface does too; the window implements it
// with its dialogs and the editing layer hands it to the kind's Ask hook
// (TKindTool). A host that cannot ask answers as a cancel.

#include <QImage>
#include <QString>
#include <functional>

// The folder a listing is made of and how deep it goes.
struct TFolderChoice
{
    QString Path;
    bool WithSubdirectories = true;
    // Set by the host for the scan that follows the choice: told the entries
    // found so far (false cancels), and told why the scan failed.
    std::function<bool(int64_t found)> Progress;
    std::function<void(const QString &message)> Failed;
};

class TCreationHost
{
public:
    virtual ~TCreationHost() = default;

    // A picture file to insert; empty when the person cancels.
    virtual QString AskPictureFile() { return {}; }
    // A page from a scanner the person picks; a null image when they cancel
    // or the scan fails (the host has said why).
    virtual QImage AskScan() { return {}; }
    // A folder (or disc image) to list; false when the person cancels.
    virtual bool AskFolder(TFolderChoice & /*choice*/) { return false; }
};
