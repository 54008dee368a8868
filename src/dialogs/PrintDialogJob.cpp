// The print dialog's OK and Preview: the checks' findings presented while
// the dialog is open, then the job with the progress window up, or the
// preview.

#include "PrintDialog.h"

#include "Document.h"
#include "Errors.h"
#include "PagePainter.h"
#include "PrintChecks.h"
#include "PrintJob.h"
#include "PrintPreview.h"
#include "PrintTarget.h"
#include "PrintingWindow.h"
#include "Settings.h"
#include "SheetMapping.h"
#include "SheetPreview.h"
#include "Strings.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>

namespace {

namespace Text {
constexpr int PdfFile = 1090;
constexpr int PrinterGone = 1082;
constexpr int NoFileChosen = 1092;
} // namespace Text

// What a message box shows of its text.
constexpr qsizetype MessageLength = 255;

// The paper names of the diagnostic report, as they have always read.
QString PaperLine(const QPageSize &paper)
{
    switch (paper.id()) {
    case QPageSize::A4: return QStringLiteral("Papersize: A4 ");
    case QPageSize::Letter: return QStringLiteral("Papersize: Letter ");
    case QPageSize::A4Small: return QStringLiteral("Papersize: A4 Small ");
    case QPageSize::LetterSmall: return QStringLiteral("Papersize: Letter Small");
    default: return QStringLiteral("Papersize: Illegal ");
    }
}

// The job's link to the progress window: events run at every poll, the
// window's button cancels.
class TProgressHost : public TJobHost
{
public:
    TProgressHost(TPrinting &window, TPrintDialogHost &host) : m_window(window), m_host(host) {}
    bool CancelRequested() override
    {
        QApplication::processEvents();
        return m_window.CancelRequested();
    }
    void Progress(int sheet, int total) override { m_window.SetLines(GetText(752), ProgressLine(sheet, total)); }
    // The progress window stays above every other window; the message would
    // open under it, unread.
    void SecondPass(const QString &message) override
    {
        m_window.hide();
        m_host.ShowInformation(message);
        m_window.show();
        m_window.raise();
    }

private:
    TPrinting &m_window;
    TPrintDialogHost &m_host;
};

} // namespace

// ---- printing --------------------------------------------------------------

// The paper the job will use, then what the system tells of the queue (its
// name and driver first), as many whole lines as the message box shows.
QString TDrucken::diagnosticReport() const
{
    const QString queue = chosenQueue();
    const QString facts = !queue.isEmpty() && m_access.Describe ? m_access.Describe(queue) : QString();
    QString report = PaperLine(Paper());
    for (const QString &line : (!facts.isEmpty() ? facts
                                : isPdfEntry()   ? GetText(Text::PdfFile)
                                                 : queue)
                                   .split(u'\n')) {
        if (report.size() + 1 + line.size() > MessageLength)
            break;
        report += QLatin1Char('\n') + line;
    }
    return report;
}

void TDrucken::OKClick()
{
    if (prepare())
        accept();
}

TPrintFacts TDrucken::facts() const
{
    TPrintFacts f;
    f.Closed = m_lost;
    f.Diagnostic = AppSettings().PrintDebug;
    if (!isPdfEntry()) {
        f.Queue = chosenQueue();
        f.Queues = m_access.Queues ? m_access.Queues() : QStringList();
    }
    return f;
}

// Everything that can refuse happens here, while the dialog is open: true
// when a job is ready to run. A refusal that closes the dialog rejects it.
bool TDrucken::prepare()
{
    m_prepared.reset();
    const TPrintRequest request = Request();
    const QString queue = chosenQueue();
    for (const TPrintFinding &f : PrintFindings(request, facts()))
        if (!present(f))
            return false;

    auto prepared = std::make_unique<TPrepared>();
    prepared->Request = request;
    try {
        if (isPdfEntry()) {
            const QString path = m_host.AskPdfFileName(proposedPdfName());
            if (path.isEmpty()) {
                m_host.ShowInformation(GetText(Text::NoFileChosen));
                return false;
            }
            QStringList documents;
            for (const TPrintDocument &d : m_documents)
                documents.append(d.Document->FileName);
            if (const auto found = OutputFindings(path, documents, true); !found.empty())
                return present(found.front());
            prepared->Target = m_access.PdfTarget(path, Paper());
        } else {
            prepared->Target = m_access.QueueTarget(queue, Paper());
        }
    } catch (const ELocalizedError &e) {
        m_host.ShowError(e.message());
        fillPrinters(true);
        update();
        return false;
    }
    if (!prepared->Target)
        return false;
    m_prepared = std::move(prepared);
    return true;
}

// A question or the report answered No or Abort closes the dialog; a
// refusal leaves it open with what it named taken out of the choices; a
// notice is told and the job goes on.
bool TDrucken::present(const TPrintFinding &finding)
{
    using TKind = TPrintFinding::TKind;
    switch (finding.Kind) {
    case TKind::Question:
        if (m_host.AskYesNo(finding.Message()))
            return true;
        break;
    case TKind::Report:
        if (m_host.AskOkAbort(diagnosticReport()))
            return true;
        break;
    case TKind::Notice: m_host.ShowInformation(finding.Message()); return true;
    case TKind::Refusal:
        m_host.ShowError(finding.Message());
        m_lost.clear();
        if (finding.Text == Text::PrinterGone)
            fillPrinters(true);
        update();
        return false;
    }
    reject();
    return false;
}

// The checks of a job, but no question about paper colours: a preview
// prints nothing.
void TDrucken::bPrintPreviewClick()
{
    const TPrintRequest request = Request();
    for (const TPrintFinding &f : PrintFindings(request, facts()))
        if (f.Kind != TPrintFinding::TKind::Question && !present(f))
            return;
    try {
        TSheetPreview sheets(request, Paper());
        if (!m_preview)
            m_preview = new TPrintPreview(this);
        m_preview->Execute(sheets);
    } catch (const ELocalizedError &e) {
        m_host.ShowError(e.message());
    }
}

// Beside the active document under its name; an untitled one by its caption
// in the documents folder.
QString TDrucken::proposedPdfName() const
{
    const QString pdf = QStringLiteral(".pdf");
    if (m_active && !m_active->FileName.isEmpty()) {
        const QFileInfo fi(m_active->FileName);
        return fi.dir().filePath(fi.completeBaseName() + pdf);
    }
    const auto it = std::find_if(m_documents.begin(), m_documents.end(),
                                 [&](const TPrintDocument &d) { return d.Document == m_active; });
    const QString name = it != m_documents.end() && !it->Caption.isEmpty() ? it->Caption : GetText(753);
    return QDir(AppSettings().CdlDir).filePath(name + pdf);
}

bool TDrucken::Execute()
{
    m_prepared.reset();
    if (exec() != QDialog::Accepted || !m_prepared)
        return false;
    runPrepared();
    return true;
}

void TDrucken::runPrepared()
{
    std::unique_ptr<TPrepared> job = std::move(m_prepared);
    const TPrintRequest &r = job->Request;
    std::vector<TCDLDocument *> involved = r.OpenDocuments();
    if (r.Active && std::find(involved.begin(), involved.end(), r.Active) == involved.end())
        involved.push_back(r.Active);
    std::vector<bool> wasModified;
    for (TCDLDocument *d : involved)
        wasModified.push_back(d->Modified());

    m_progress->SetLines(GetText(752), QString());
    m_progress->Start();
    m_progress->SetPrinting(true);
    TProgressHost host(*m_progress, m_host);
    TDocumentPagePainter pages;
    const TSheetMapping mapping = SetupSheetMapping(*job->Target, AppSettings());
    const TJobResult result = RunPrintJob(r, *job->Target, pages, host, mapping);
    // Completes the file or hands the last document to the printer.
    job->Target.reset();
    m_progress->Stop();

    if (result.Status == TJobResult::TStatus::Failed || result.Status == TJobResult::TStatus::Refused)
        m_host.ShowError(result.Message);
    for (size_t i = 0; i < involved.size(); ++i)
        if (!wasModified[i] && involved[i]->Modified())
            m_host.DocumentPrinted(*involved[i]);
}
