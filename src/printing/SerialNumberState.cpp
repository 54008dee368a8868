#include "SerialNumberState.h"

#include "Document.h"
#include "SerNo.h"

#include <algorithm>

TSerialNumberState::TSerialNumberState(const TPrintRequest &request)
{
    std::vector<TCDLDocument *> docs = request.OpenDocuments();
    docs.push_back(request.Active);
    docs.insert(docs.end(), request.CDPlaces.begin(), request.CDPlaces.end());
    docs.insert(docs.end(), request.FrontPlaces.begin(), request.FrontPlaces.end());
    docs.insert(docs.end(), request.BackPlaces.begin(), request.BackPlaces.end());
    std::sort(docs.begin(), docs.end());
    docs.erase(std::unique(docs.begin(), docs.end()), docs.end());
    for (TCDLDocument *d : docs) {
        if (!d)
            continue;
        for (TPageKind kind : {TPageKind::CDLabel, TPageKind::InlayVorder, TPageKind::InlayRueck}) {
            TCDLPage *page = &d->Page(kind);
            m_modified.emplace_back(page, page->Modified);
            for (auto &f : page->Frames())
                if (TCDLSerNo *s = KindCast<TCDLSerNo>(f.get()))
                    m_counters.emplace_back(s, s->Counter);
        }
    }
}

void TSerialNumberState::Take()
{
    for (auto &[frame, counter] : m_counters)
        counter = frame->Counter;
    for (auto &[page, modified] : m_modified)
        modified = page->Modified;
}

void TSerialNumberState::Restore() const
{
    for (const auto &[frame, counter] : m_counters)
        frame->Counter = counter;
    for (const auto &[page, modified] : m_modified)
        page->Modified = modified;
}
