#include "PrintCommand.h"

#include "CalibrationDialog.h"
#include "ChildWin.h"
#include "FileDialogs.h"
#include "MainWindow.h"
#include "MessageBoxText.h"
#include "Strings.h"

TPrintCommand::TPrintCommand(TMDIForm &main) : m_main(main) {}

TPrintCommand::~TPrintCommand() = default;

TDrucken &TPrintCommand::Dialog()
{
    if (!m_dialog)
        m_dialog = new TDrucken(*this, &m_main);
    return *m_dialog;
}

void TPrintCommand::Run()
{
    if (!m_main.ActiveDocument())
        return;
    Dialog().Execute();
    m_main.CommandStatesChanged();
}

void TPrintCommand::Calibrate() { Dialog().Calibration().Execute(QString()); }

void TPrintCommand::DocumentGone(TCDLDocument *document)
{
    if (m_dialog)
        m_dialog->DocumentGone(document);
}

void TPrintCommand::SetupStrings()
{
    if (m_dialog)
        m_dialog->SetupStrings();
}

std::vector<TPrintDocument> TPrintCommand::OpenDocuments() const
{
    std::vector<TPrintDocument> docs;
    for (TChildWin *c : m_main.Children())
        docs.push_back({c->Caption(), &c->Document()});
    return docs;
}

TCDLDocument *TPrintCommand::ActiveDocument() const
{
    TActiveDocument *d = m_main.ActiveDocument();
    return d ? &d->Document() : nullptr;
}

void TPrintCommand::ShowError(const QString &text) { MessageBoxText(text, mkError, mbOK); }

void TPrintCommand::ShowInformation(const QString &text) { MessageBoxText(text, mkInformation, mbOK); }

bool TPrintCommand::AskYesNo(const QString &text) { return MessageBoxText(text, mkWarning, mbYes | mbNo) == mrYes; }

bool TPrintCommand::AskOkAbort(const QString &text)
{
    return MessageBoxText(text, mkInformation, mbOK | mbAbort) == mrOK;
}

QString TPrintCommand::AskPdfFileName(const QString &proposed)
{
    return ::AskPdfFileName(m_dialog, GetText(1094), proposed);
}

// Its pages show the next numbers now.
void TPrintCommand::DocumentPrinted(TCDLDocument &document)
{
    for (TChildWin *c : m_main.Children())
        if (&c->Document() == &document)
            c->RepaintPage();
    m_main.CommandStatesChanged();
}
