#pragma once
// The program's one message box: a kind gives title and icon, a set of
// buttons is normalised to one the platform offers, the answer comes back as
// the platform's button code.

#include <QString>
#include <functional>

class QWidget;

enum TMsgKind { mkWarning = 0, mkError = 1, mkInformation = 2, mkConfirmation = 3 };

enum TMsgButton {
    mbYes = 1,
    mbNo = 2,
    mbOK = 4,
    mbCancel = 8,
    mbAbort = 16,
    mbRetry = 32,
    mbIgnore = 64,
};

// Button codes of the answer.
enum TMsgResult { mrOK = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

// The set actually shown, and how an answer maps back.
struct TMsgButtons
{
    int Shown = mbOK;
    bool CancelMeansAbort = false;
    bool OkMeansYes = false;
};
TMsgButtons NormaliseButtons(int buttons);

int MessageBoxText(const QString &text, TMsgKind kind, int buttons);

// Owner of the boxes (the main window).
void SetMessageBoxOwner(QWidget *owner);

// Tests answer boxes through this: it gets the text as shown, the kind and
// the normalised set, and returns the platform answer before re-mapping.
using TMessageBoxHook = std::function<int(const QString &text, TMsgKind kind, int shownButtons)>;
void SetMessageBoxHook(TMessageBoxHook hook);
