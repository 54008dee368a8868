#include "SheetPlan.h"

#include "Document.h"

#include <algorithm>

namespace {

TPageKind InlayKind(TPrintWhat what)
{
    return what == TPrintWhat::InlayBack ? TPageKind::InlayRueck : TPageKind::InlayVorder;
}

TCutMarks MarksOf(TPageKind inlay) { return inlay == TPageKind::InlayRueck ? TCutMarks::Backs : TCutMarks::Fronts; }

class TPlanner
{
public:
    TPlanner(const TPrintRequest &request, bool driverCopies) : m_request(request), m_driverCopies(driverCopies) {}

    std::vector<TSheetPlan> Run();

private:
    void CurrentCDIndirect();
    void CurrentCD();
    void CurrentInlays(TPageKind kind);
    void FrontsAndBacks(TCDLDocument *doc);
    void SelectionSheets();
    void SelectionSheet();
    void AllOpenCD();
    void AllOpenInlays(TPageKind kind);

    // Opens the next sheet, standing for copies sheets.
    void Sheet(int copies = 1)
    {
        const int first = m_sheets.empty() ? 1 : m_sheets.back().First + m_sheets.back().Copies;
        m_sheets.push_back({first, copies, {}});
    }
    void Draw(TCDLDocument *doc, TPageKind page, int position)
    {
        if (doc)
            Add({TSheetStep::TAction::Draw, doc, page, position});
    }
    void SecondPass() { Add({TSheetStep::TAction::SecondPass}); }
    void CutMarks(TCutMarks marks) { Add({.Action = TSheetStep::TAction::CutMarks, .Marks = marks}); }
    void Add(const TSheetStep &s) { m_sheets.back().Steps.push_back(s); }
    // Copies repeat a sheet as drawn; serial numbers would repeat with it.
    bool CopiesAllowed(TPageKind kind, const std::vector<TCDLDocument *> &docs) const
    {
        return m_driverCopies && std::none_of(docs.begin(), docs.end(), [&](TCDLDocument *d) {
                   return d->Page(kind).HasSerialNumbers();
               });
    }

    const TPrintRequest &m_request;
    const bool m_driverCopies;
    const int m_total = CountSheets(m_request);
    std::vector<TSheetPlan> m_sheets;
};

std::vector<TSheetPlan> TPlanner::Run()
{
    const TPrintWhat what = m_request.What;
    switch (m_request.Mode) {
    case TPrintMode::Current:
        if (!m_request.Active)
            break;
        switch (what) {
        case TPrintWhat::CDLabel:
            if (m_request.Trim == TRoundTrim::Indirect)
                CurrentCDIndirect();
            else
                CurrentCD();
            break;
        case TPrintWhat::FrontAndBack: FrontsAndBacks(m_request.Active); break;
        default: CurrentInlays(InlayKind(what)); break;
        }
        break;
    case TPrintMode::Selection: SelectionSheets(); break;
    case TPrintMode::AllOpen:
        switch (what) {
        case TPrintWhat::CDLabel: AllOpenCD(); break;
        case TPrintWhat::FrontAndBack:
            for (TCDLDocument *d : m_request.OpenDocuments())
                FrontsAndBacks(d);
            break;
        default: AllOpenInlays(InlayKind(what)); break;
        }
        break;
    }
    return std::move(m_sheets);
}

// ---- mode 1: the current document --------------------------------------------

// Places 1 and 3 in one printer pass, place 2 in a second pass over the same
// sheet: the white discs of one pass never fall on a label of that pass.
void TPlanner::CurrentCDIndirect()
{
    TCDLDocument *doc = m_request.Active;
    const int n = m_request.Count;
    int i = 1;
    for (int k = 1; k <= m_total; ++k) {
        Sheet();
        switch (k == 1 ? m_request.First() : 1) {
        case 1:
            if (i <= n)
                Draw(doc, TPageKind::CDLabel, 1);
            if (i + 2 <= n)
                Draw(doc, TPageKind::CDLabel, 3);
            if (i + 1 <= n) {
                SecondPass();
                Draw(doc, TPageKind::CDLabel, 2);
            }
            i += 3;
            break;
        case 2:
            if (i <= n)
                Draw(doc, TPageKind::CDLabel, 2);
            if (i + 1 <= n) {
                SecondPass();
                Draw(doc, TPageKind::CDLabel, 3);
            }
            i += 2;
            break;
        default:
            if (i <= n)
                Draw(doc, TPageKind::CDLabel, 3);
            i += 1;
            break;
        }
    }
}

void TPlanner::CurrentCD()
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
        Sheet(c);
        for (int place = first; place <= CDPositions && i <= n; ++place, ++i)
            Draw(doc, TPageKind::CDLabel, place);
        k += c;
        i += (c - 1) * 3;
    }
}

void TPlanner::CurrentInlays(TPageKind kind)
{
    TCDLDocument *doc = m_request.Active;
    const int n = m_request.Count;
    const bool copies = CopiesAllowed(kind, {doc});
    int i = 1;
    for (int k = 1; k <= m_total;) {
        // Half the sheets left as copies, then the rest one by one.
        const int c = copies ? std::max(1, (m_total - k + 1) / 2) : 1;
        Sheet(c);
        for (int position = 1; position <= 2; ++position, ++i)
            if (i <= n)
                Draw(doc, kind, position);
        CutMarks(MarksOf(kind));
        i += (c - 1) * 2;
        k += c;
    }
}

void TPlanner::FrontsAndBacks(TCDLDocument *doc)
{
    for (int copy = 0; copy < m_request.Count; ++copy) {
        Sheet();
        Draw(doc, TPageKind::InlayVorder, 3);
        Draw(doc, TPageKind::InlayRueck, 3);
        CutMarks(TCutMarks::FrontAndBack);
    }
}

// ---- mode 2: a choice of documents per place -----------------------------------

void TPlanner::SelectionSheets()
{
    const TPageKind kind = m_request.What == TPrintWhat::CDLabel ? TPageKind::CDLabel : InlayKind(m_request.What);
    const int sheets = m_request.Sheets;
    if (sheets > 1 && m_request.Trim != TRoundTrim::Indirect && CopiesAllowed(kind, m_request.Places())) {
        Sheet(sheets);
        SelectionSheet();
        return;
    }
    for (int k = 1; k <= sheets; ++k) {
        Sheet();
        SelectionSheet();
    }
}

void TPlanner::SelectionSheet()
{
    const TPrintRequest &r = m_request;
    switch (r.What) {
    case TPrintWhat::CDLabel:
        if (r.Trim == TRoundTrim::Indirect) {
            Draw(r.CDPlaces[0], TPageKind::CDLabel, 1);
            Draw(r.CDPlaces[2], TPageKind::CDLabel, 3);
            if (r.CDPlaces[1] && (r.CDPlaces[0] || r.CDPlaces[2]))
                SecondPass();
            Draw(r.CDPlaces[1], TPageKind::CDLabel, 2);
        } else {
            for (int place = 1; place <= CDPositions; ++place)
                Draw(r.CDPlaces[size_t(place - 1)], TPageKind::CDLabel, place);
        }
        break;
    case TPrintWhat::InlayFront:
    case TPrintWhat::InlayBack: {
        const TPageKind kind = InlayKind(r.What);
        const auto &places = kind == TPageKind::InlayRueck ? r.BackPlaces : r.FrontPlaces;
        Draw(places[0], kind, 1);
        Draw(places[1], kind, 2);
        CutMarks(MarksOf(kind));
        break;
    }
    case TPrintWhat::FrontAndBack: break;
    }
}

// ---- mode 3: every open document -----------------------------------------------

// The places run on from document to document. With indirect trimming they
// are filled in the order 1, 3, 2 so that place 2 alone is in the second
// pass; the first sheet leaves out the places before the chosen one.
void TPlanner::AllOpenCD()
{
    const bool indirect = m_request.Trim == TRoundTrim::Indirect;
    const std::vector<int> order = indirect ? std::vector<int>{1, 3, 2} : std::vector<int>{1, 2, 3};
    std::vector<int> places;
    for (int p : order)
        if (p >= m_request.First())
            places.push_back(p);
    size_t next = 0;
    for (TCDLDocument *doc : m_request.OpenDocuments()) {
        for (int copy = 0; copy < m_request.Count; ++copy) {
            if (m_sheets.empty() || next == places.size()) {
                if (!m_sheets.empty())
                    places = order;
                Sheet();
                next = 0;
            }
            const int place = places[next++];
            if (indirect && place == 2 && next > 1)
                SecondPass();
            Draw(doc, TPageKind::CDLabel, place);
        }
    }
}

void TPlanner::AllOpenInlays(TPageKind kind)
{
    int position = 2;
    for (TCDLDocument *doc : m_request.OpenDocuments()) {
        for (int copy = 0; copy < m_request.Count; ++copy) {
            if (position == 2) {
                Sheet();
                position = 0;
            }
            Draw(doc, kind, ++position);
            CutMarks(MarksOf(kind));
        }
    }
}

} // namespace

std::vector<TSheetPlan> PlanSheets(const TPrintRequest &request, bool driverCopies)
{
    return TPlanner(request, driverCopies).Run();
}
