#pragma once
// Cut, copy, paste, delete and the selection files of the main window's
// active document, and the one place frames meet the system clipboard.

#include "ClipData.h"

#include <QObject>

class QMimeData;
class TChildWin;
class TCDLPage;
class TPageEditor;
class TMDIForm;

// The private format under its registered name, plain text beside it.
QMimeData *ToMimeData(const TClipData &clip);
TClipData FromMimeData(const QMimeData *m);
// Pictures wait for the picture frame: they are not offered as pasteable.
bool OffersPaste(const QMimeData *m);

class TClipboardCommands : public QObject
{
    Q_OBJECT
public:
    // Connects the edit actions and buttons of main.
    explicit TClipboardCommands(TMDIForm *main);

    // Enable states for the shown page of active (none: no document).
    void UpdateStates(TChildWin *active);

    void Cut();
    void Copy();
    void Paste();
    void Delete();
    void SaveSelection();
    void LoadSelection();

private:
    TPageEditor *activeEditor() const;
    void updateCanPaste();

    TMDIForm *m_main;
    // Asking another program's clipboard for its formats is a round trip;
    // the answer is kept until the clipboard changes.
    bool m_canPaste = false;
};
