// The loops of modes 2 (a choice of documents per place) and 3 (every open
// document).

#include "Document.h"
#include "PrintJobRunner.h"
#include "PrintTarget.h"

// ---- mode 2 ------------------------------------------------------------------

void TPrintJobRunner::SelectionSheets()
{
    const TPageKind kind = m_request.What == TPrintWhat::CDLabel     ? TPageKind::CDLabel
                           : m_request.What == TPrintWhat::InlayBack ? TPageKind::InlayRueck
                                                                     : TPageKind::InlayVorder;
    const int sheets = m_request.Sheets;
    if (sheets > 1 && m_request.Trim != TRoundTrim::Indirect && CopiesAllowed(kind, m_request.Places())) {
        NextSheet(1, sheets);
        SelectionSheet();
        return;
    }
    for (int k = 1; k <= sheets; ++k) {
        NextSheet(k);
        SelectionSheet();
    }
}

void TPrintJobRunner::SelectionSheet()
{
    const TPrintRequest &r = m_request;
    switch (r.What) {
    case TPrintWhat::CDLabel:
        if (r.Trim == TRoundTrim::Indirect) {
            DrawCD(r.CDPlaces[0], 1);
            DrawCD(r.CDPlaces[2], 3);
            if (r.CDPlaces[1] && (r.CDPlaces[0] || r.CDPlaces[2]))
                SecondPass();
            DrawCD(r.CDPlaces[1], 2);
        } else {
            for (int place = 1; place <= CDPositions; ++place)
                DrawCD(r.CDPlaces[size_t(place - 1)], place);
        }
        break;
    case TPrintWhat::InlayFront:
    case TPrintWhat::InlayBack: {
        const bool back = r.What == TPrintWhat::InlayBack;
        const TPageKind kind = back ? TPageKind::InlayRueck : TPageKind::InlayVorder;
        const auto &places = back ? r.BackPlaces : r.FrontPlaces;
        DrawInlay(places[0], kind, 1);
        DrawInlay(places[1], kind, 2);
        DrawCutMarks(kind);
        break;
    }
    case TPrintWhat::FrontAndBack: break;
    }
}

// ---- mode 3 ------------------------------------------------------------------

// The places run on from document to document. With indirect trimming they
// are filled in the order 1, 3, 2 so that place 2 alone is in the second
// pass; the first sheet leaves out the places before the chosen one.
void TPrintJobRunner::AllOpenCD()
{
    const bool indirect = m_request.Trim == TRoundTrim::Indirect;
    const std::vector<int> order = indirect ? std::vector<int>{1, 3, 2} : std::vector<int>{1, 2, 3};
    std::vector<int> places;
    for (int p : order)
        if (p >= m_request.First())
            places.push_back(p);
    size_t next = 0;
    int sheet = 0;
    for (TCDLDocument *doc : m_request.OpenDocuments()) {
        for (int copy = 0; copy < m_request.Count; ++copy) {
            if (sheet == 0 || next == places.size()) {
                if (sheet > 0)
                    places = order;
                NextSheet(++sheet);
                next = 0;
            }
            const int place = places[next++];
            if (indirect && place == 2 && next > 1)
                SecondPass();
            DrawCD(doc, place);
        }
    }
}

void TPrintJobRunner::AllOpenInlays(TPageKind kind)
{
    int position = 2;
    int sheet = 0;
    for (TCDLDocument *doc : m_request.OpenDocuments()) {
        for (int copy = 0; copy < m_request.Count; ++copy) {
            if (position == 2) {
                NextSheet(++sheet);
                position = 0;
            }
            DrawInlay(doc, kind, ++position);
            DrawCutMarks(kind);
        }
    }
}
