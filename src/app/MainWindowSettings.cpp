#include "MainWindow.h"

#include "ChildWin.h"
#include "Document.h"
#include "FileDialogs.h"
#include "MessageBoxText.h"
#include "PropertiesDialog.h"
#include "RollUpContainer.h"
#include "Settings.h"
#include "SettingsDialog.h"
#include "Strings.h"

// The program settings and the page properties: the dialogs are in
// dialogs/, the boxes and file dialogs they ask for are the program's own.

namespace {

TDialogServices Services(QWidget *owner)
{
    TDialogServices s = TDialogServices::Standard(owner);
    s.Error = [](const QString &text) { MessageBoxText(text, mkError, mbOK); };
    s.AskYesNo = [](const QString &text) { return MessageBoxText(text, mkConfirmation, mbYes | mbNo) == mrYes; };
    s.ChooseFolder = [owner](const QString &start) { return AskFolderName(owner, GetText(1326), start); };
    return s;
}

} // namespace

void TMDIForm::ProgramSettings()
{
    TFSettings dlg(this);
    dlg.Services = Services(&dlg);
    TSettings s = AppSettings();
    if (dlg.Execute(s))
        ApplyProgramSettings(s);
}

void TMDIForm::ApplyProgramSettings(const TSettings &s)
{
    const bool unitChanged = s.ScaleValue != AppSettings().ScaleValue;
    AppSettings() = s;
    ApplyPaintSettings();
    if (unitChanged) {
        SetUnitCode(s.ScaleValue);
        Panels()->ReSetCoordCaption();
        Panels()->ShowCoordinates();
    }
    for (TChildWin *c : Children()) {
        c->RepaintRulers();
        c->RepaintPage();
        // The status line shows the selection's lengths in the unit.
        if (unitChanged && c == ActiveChild())
            c->Verbose();
    }
}

void TMDIForm::PageProperties(TActiveDocument &d)
{
    TPropWnd dlg(this);
    dlg.Services = Services(&dlg);
    if (!dlg.Execute(d.Document()))
        return;
    if (auto *c = dynamic_cast<TChildWin *>(&d))
        c->RepaintPage();
    updateCommandStates();
}
