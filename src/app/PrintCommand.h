#pragma once
// The print command of the main window: the print dialog with the main
// window's documents, message boxes and file dialogs.

#include "PrintDialog.h"

class TMDIForm;

class TPrintCommand : private TPrintDialogHost
{
public:
    explicit TPrintCommand(TMDIForm &main);
    ~TPrintCommand() override;

    void Run();
    // The calibration dialog, for the default queue.
    void Calibrate();
    // The dialog, made on first use.
    TDrucken &Dialog();
    void DocumentGone(TCDLDocument *document);
    void SetupStrings();

private:
    std::vector<TPrintDocument> OpenDocuments() const override;
    TCDLDocument *ActiveDocument() const override;
    void ShowError(const QString &text) override;
    void ShowInformation(const QString &text) override;
    bool AskYesNo(const QString &text) override;
    bool AskOkAbort(const QString &text) override;
    QString AskPdfFileName(const QString &proposed) override;
    void DocumentPrinted(TCDLDocument &document) override;

    TMDIForm &m_main;
    TDrucken *m_dialog = nullptr;
};
