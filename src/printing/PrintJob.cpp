#include "PrintJob.h"

#include "Document.h"
#include "Errors.h"
#include "PrintChecks.h"
#include "PrintJobRunner.h"
#include "PrintTarget.h"
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

TPageKind InlayKind(TPrintWhat what)
{
    return what == TPrintWhat::InlayBack ? TPageKind::InlayRueck : TPageKind::InlayVorder;
}

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
    const TPrintWhat what = m_request.What;
    int sheet = 0;
    switch (m_request.Mode) {
    case TPrintMode::Current:
        switch (what) {
        case TPrintWhat::CDLabel:
            if (m_request.Trim == TRoundTrim::Indirect)
                CurrentCDIndirect();
            else
                CurrentCD();
            break;
        case TPrintWhat::FrontAndBack: FrontsAndBacks(*m_request.Active, sheet); break;
        default: CurrentInlays(InlayKind(what)); break;
        }
        break;
    case TPrintMode::Selection: SelectionSheets(); break;
    case TPrintMode::AllOpen:
        switch (what) {
        case TPrintWhat::CDLabel: AllOpenCD(); break;
        case TPrintWhat::FrontAndBack:
            for (TCDLDocument *d : m_request.OpenDocuments())
                FrontsAndBacks(*d, sheet);
            break;
        default: AllOpenInlays(InlayKind(what)); break;
        }
        break;
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

void TPrintJobRunner::DrawCD(TCDLDocument *doc, int place)
{
    if (!doc)
        return;
    PollBeforeDraw();
    m_sheet.DrawCDLabelAt(doc->Label(), place);
    doc->Label().AdvanceSerialNumbers();
}

void TPrintJobRunner::DrawInlay(TCDLDocument *doc, TPageKind kind, int position)
{
    if (!doc)
        return;
    PollBeforeDraw();
    if (kind == TPageKind::InlayRueck)
        m_sheet.DrawInlayBackAt(doc->Back(), position);
    else
        m_sheet.DrawInlayFrontAt(doc->Front(), position);
    doc->Page(kind).AdvanceSerialNumbers();
}

void TPrintJobRunner::DrawCutMarks(TPageKind kind)
{
    m_sheet.DrawCutMarks(kind == TPageKind::InlayRueck ? TCutMarks::Backs : TCutMarks::Fronts);
}

// Copies repeat a sheet as drawn; serial numbers would repeat with it.
bool TPrintJobRunner::CopiesAllowed(TPageKind kind, const std::vector<TCDLDocument *> &docs) const
{
    if (!m_target.MakesCopies())
        return false;
    return std::none_of(docs.begin(), docs.end(), [&](TCDLDocument *d) { return d->Page(kind).HasSerialNumbers(); });
}

// ---- mode 1: the current document --------------------------------------------

// Places 1 and 3 in one printer pass, place 2 in a second pass over the same
// sheet: the white discs of one pass never fall on a label of that pass.
void TPrintJobRunner::CurrentCDIndirect()
{
    TCDLDocument *doc = m_request.Active;
    const int n = m_request.Count;
    int i = 1;
    for (int k = 1; k <= m_total; ++k) {
        NextSheet(k);
        switch (k == 1 ? m_request.First() : 1) {
        case 1:
            if (i <= n)
                DrawCD(doc, 1);
            if (i + 2 <= n)
                DrawCD(doc, 3);
            if (i + 1 <= n) {
                SecondPass();
                DrawCD(doc, 2);
            }
            i += 3;
            break;
        case 2:
            if (i <= n)
                DrawCD(doc, 2);
            if (i + 1 <= n) {
                SecondPass();
                DrawCD(doc, 3);
            }
            i += 2;
            break;
        default:
            if (i <= n)
                DrawCD(doc, 3);
            i += 1;
            break;
        }
    }
}

void TPrintJobRunner::CurrentCD()
{
    TCDLDocument *doc = m_request.Active;
    const int n = m_request.Count;
    const bool copies = CopiesAllowed(TPageKind::CDLabel, {doc});
    int i = 1;
    for (int k = 1; k <= m_total;) {
        const int first = k == 1 ? m_request.First() : 1;
        const int left = n - i + 1;
        // Whole sheets as copies while at least two full sheets remain.
        const int c = first == 1 && left >= 6 && copies ? std::max(1, left / 3) : 1;
        NextSheet(k, c);
        for (int place = first; place <= CDPositions && i <= n; ++place, ++i)
            DrawCD(doc, place);
        k += c;
        i += (c - 1) * 3;
    }
}

void TPrintJobRunner::CurrentInlays(TPageKind kind)
{
    TCDLDocument *doc = m_request.Active;
    const int n = m_request.Count;
    const bool copies = CopiesAllowed(kind, {doc});
    int i = 1;
    for (int k = 1; k <= m_total;) {
        // Half the sheets left as copies, then the rest one by one.
        const int c = copies ? std::max(1, (m_total - k + 1) / 2) : 1;
        NextSheet(k, c);
        for (int position = 1; position <= 2; ++position, ++i)
            if (i <= n)
                DrawInlay(doc, kind, position);
        DrawCutMarks(kind);
        i += (c - 1) * 2;
        k += c;
    }
}

void TPrintJobRunner::FrontsAndBacks(TCDLDocument &doc, int &sheet)
{
    for (int copy = 0; copy < m_request.Count; ++copy) {
        NextSheet(++sheet);
        DrawInlay(&doc, TPageKind::InlayVorder, 3);
        DrawInlay(&doc, TPageKind::InlayRueck, 3);
        m_sheet.DrawCutMarks(TCutMarks::FrontAndBack);
    }
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
