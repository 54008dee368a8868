#pragma once
// Cut, copy, paste, delete and the selection files of the active document,
// and the one place frames meet the system clipboard.

#include "ClipData.h"

#include <QObject>

class QMimeData;
class QWidget;
class TActiveDocument;

// The private format under its registered name, plain text beside it.
QMimeData *ToMimeData(const TClipData &clip);
TClipData FromMimeData(const QMimeData *m);
// The private format, or what a frame kind is made of by a paste.
bool OffersPaste(const QMimeData *m);

class TClipboardCommands : public QObject
{
    Q_OBJECT
public:
    // Dialogs and messages belong to main; a Delete aimed at another window
    // goes to the field that has the focus there.
    explicit TClipboardCommands(QWidget *main);

    // Whether the clipboard holds something a page takes.
    bool CanPaste() const { return m_canPaste; }

    void Cut(TActiveDocument &d);
    void Copy(TActiveDocument &d);
    void Paste(TActiveDocument &d);
    void Delete(TActiveDocument &d);
    void SaveSelection(TActiveDocument &d);
    void LoadSelection(TActiveDocument &d);

signals:
    void pasteOfferChanged();

private:
    void updateCanPaste();

    QWidget *m_main;
    // Asking another program's clipboard for its formats is a round trip;
    // the answer is kept until the clipboard changes.
    bool m_canPaste = false;
};
