#pragma once
// What the property container asks of the window around it: three roll-up
// windows to hold its panels, a message box and a file dialog. The main
// window implements it; tests put a small stand-in in its place.

#include <QString>

struct TFolderChoice;

class QWidget;

class TPanelHost
{
public:
    virtual ~TPanelHost() = default;
    // The content of each roll-up window; null leaves it empty.
    virtual void SetObjectContent(QWidget *panel) = 0;
    virtual void SetColorContent(QWidget *panel) = 0;
    virtual void SetCoordsContent(QWidget *panel) = 0;
    // An error the person has to acknowledge.
    virtual void ShowError(const QString & /*text*/) {}
    // A text file to open; filter in the string table's "name|pattern|..."
    // form. Empty when cancelled.
    virtual QString AskTextFile(const QString & /*title*/, const QString & /*filter*/, const QString & /*dir*/)
    {
        return {};
    }
    // The folder a directory listing is made of (TCreationHost::AskFolder).
    virtual bool AskFolder(TFolderChoice & /*choice*/) { return false; }
};
