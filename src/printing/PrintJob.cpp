#include "PrintJob.h"

#include "Document.h"
#include "Errors.h"
#include "PrintChecks.h"
#include "PrintTarget.h"
#include "SerialNumberState.h"
#include "SheetPainter.h"
#include "SheetPlan.h"
#include "Strings.h"

#include <algorithm>
#include <optional>

namespace {

TSheetOptions OptionsFor(const TPrintRequest &r, const TPrintTarget &target)
{
    TSheetOptions o;
    o.Kind = SheetKindForPaper(target.PaperSize());
    o.Trim = r.Trim;
    o.CutMarks = r.CutMarks;
    o.ForceCircleClip = false;
    return o;
}

// The sheets of the request's plan onto the target, with documents, pages,
// copies and cancel points.
class TPrintJobRunner
{
public:
    // Unwinds the loops when the person cancels.
    struct TCancelled
    {
    };

    TPrintJobRunner(const TPrintRequest &request, TPrintTarget &target, TPagePainter &pages, TJobHost &host,
                    const TSheetMapping &mapping);
    void Run();
    // Ends an open document and leaves the copy count at 1, after any ending.
    void Finish();
    // The serial numbers as far as documents reached the printer.
    const TSerialNumberState &Delivered() const { return m_delivered; }

private:
    void Poll();
    void PollBeforeDraw();
    void SetCopies(int copies);
    void Begin();
    void End();
    // Opens sheet k: a new page while the open document prints single
    // copies, else a new document with its copy count.
    void NextSheet(int k, int copies = 1);
    // Ends the document so the sheet goes through the printer again.
    void SecondPass();
    void Draw(const TSheetStep &step);

    const TPrintRequest &m_request;
    TPrintTarget &m_target;
    TJobHost &m_host;
    TSheetPainter m_sheet;
    int m_total;
    int m_documentCopies = 1;
    bool m_pollBeforeDraw = true;
    TSerialNumberState m_delivered;
};

} // namespace

TPrintJobRunner::TPrintJobRunner(const TPrintRequest &request, TPrintTarget &target, TPagePainter &pages,
                                 TJobHost &host, const TSheetMapping &mapping)
    : m_request(request), m_target(target), m_host(host), m_sheet(target, mapping, pages, OptionsFor(request, target)),
      m_total(CountSheets(request)), m_delivered(request)
{
}

void TPrintJobRunner::Run()
{
    SetCopies(1);
    for (const TSheetPlan &sheet : PlanSheets(m_request, m_target.MakesCopies())) {
        NextSheet(sheet.First, sheet.Copies);
        for (const TSheetStep &step : sheet.Steps) {
            if (step.Action == TSheetStep::TAction::SecondPass)
                SecondPass();
            else
                Draw(step);
        }
    }
}

void TPrintJobRunner::Finish()
{
    if (m_target.IsPrinting())
        End();
    SetCopies(1);
}

// ---- steps -----------------------------------------------------------------

void TPrintJobRunner::Poll()
{
    if (m_host.CancelRequested())
        throw TCancelled();
}

// A page or document just opened was polled for; cancelling only after it
// would leave a blank sheet.
void TPrintJobRunner::PollBeforeDraw()
{
    if (m_pollBeforeDraw)
        Poll();
    m_pollBeforeDraw = true;
}

void TPrintJobRunner::SetCopies(int copies)
{
    if (m_target.CopyCount() != copies)
        m_target.SetCopyCount(copies);
}

void TPrintJobRunner::Begin()
{
    m_target.BeginDocument(GetText(753));
    m_documentCopies = m_target.CopyCount();
}

void TPrintJobRunner::End()
{
    m_target.EndDocument();
    m_delivered.Take();
}

void TPrintJobRunner::NextSheet(int k, int copies)
{
    Poll();
    m_pollBeforeDraw = false;
    m_host.Progress(k, m_total);
    if (m_target.IsPrinting()) {
        // A driver takes the copy count when a document begins: a group of
        // copies always gets a document of its own.
        if (copies == 1 && m_documentCopies == 1) {
            m_target.NewPage();
            return;
        }
        End();
    }
    SetCopies(copies);
    Begin();
}

void TPrintJobRunner::SecondPass()
{
    Poll();
    m_pollBeforeDraw = false;
    End();
    m_host.SecondPass(GetText(759));
    Begin();
}

void TPrintJobRunner::Draw(const TSheetStep &step)
{
    if (step.Action != TSheetStep::TAction::Draw) {
        m_sheet.Draw(step);
        return;
    }
    PollBeforeDraw();
    m_sheet.Draw(step);
    step.Document->Page(step.Page).AdvanceSerialNumbers();
}

// ---- the job -------------------------------------------------------------------

namespace {

// The cause of what f throws, in the person's words; nothing when it succeeds.
// Cancelling passes through.
template <typename F> std::optional<QString> FailureOf(F &&f)
{
    try {
        f();
        return std::nullopt;
    } catch (const ELocalizedError &e) {
        return e.message();
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    }
}

} // namespace

TJobResult RunPrintJob(const TPrintRequest &request, TPrintTarget &target, TPagePainter &pages, TJobHost &host,
                       const TSheetMapping &mapping)
{
    using TStatus = TJobResult::TStatus;
    if (const auto refusal = Refusal(request))
        return {TStatus::Refused, refusal->Message()};
    auto failed = [](const QString &cause) {
        return TJobResult{TStatus::Failed, GetText(756) + QLatin1Char(' ') + cause};
    };

    const TSerialNumberState atStart(request);
    TPrintJobRunner job(request, target, pages, host, mapping);
    TJobResult result;
    try {
        if (const auto cause = FailureOf([&] { job.Run(); }))
            result = failed(*cause);
    } catch (const TPrintJobRunner::TCancelled &) {
        result.Status = TStatus::Cancelled;
    }
    // What was drawn goes to the printer however the job ended.
    if (const auto cause = FailureOf([&] { job.Finish(); }); cause && result.Status != TStatus::Failed)
        result = failed(*cause);
    // Numbers of labels that never reached the printer are not used up;
    // none did when the target could not deliver its output whole.
    if (const auto cause = FailureOf([&] { target.Complete(); })) {
        if (result.Status != TStatus::Failed)
            result = failed(*cause);
        atStart.Restore();
    } else if (result.Status == TStatus::Failed) {
        job.Delivered().Restore();
    }
    return result;
}
