#include "PrintRequest.h"

#include "Strings.h"

#include <algorithm>

namespace {

int ClampedInt(int64_t v) { return int(std::clamp<int64_t>(v, 0, INT32_MAX)); }

} // namespace

std::vector<TCDLDocument *> TPrintRequest::Places() const
{
    std::vector<TCDLDocument *> named;
    auto add = [&](const auto &places) {
        for (TCDLDocument *d : places)
            if (d)
                named.push_back(d);
    };
    switch (What) {
    case TPrintWhat::CDLabel: add(CDPlaces); break;
    case TPrintWhat::InlayFront: add(FrontPlaces); break;
    case TPrintWhat::InlayBack: add(BackPlaces); break;
    case TPrintWhat::FrontAndBack: break; // no such choice per place
    }
    return named;
}

std::vector<TCDLDocument *> TPrintRequest::OpenDocuments() const
{
    std::vector<TCDLDocument *> docs;
    std::copy_if(Open.begin(), Open.end(), std::back_inserter(docs), [](TCDLDocument *d) { return d != nullptr; });
    return docs;
}

int CountSheets(const TPrintRequest &r)
{
    const int64_t s = r.First() - 1;
    int64_t n = r.Count;
    switch (r.Mode) {
    case TPrintMode::Selection: return ClampedInt(r.Sheets);
    case TPrintMode::AllOpen: n *= int64_t(r.OpenDocuments().size()); break;
    case TPrintMode::Current: break;
    }
    if (n <= 0)
        return 0;
    switch (r.What) {
    case TPrintWhat::CDLabel: return ClampedInt((n + s - 1) / 3 + 1);
    case TPrintWhat::InlayFront:
    case TPrintWhat::InlayBack: return ClampedInt((n - 1) / 2 + 1);
    case TPrintWhat::FrontAndBack: return ClampedInt(n);
    }
    return 0;
}

QString ProgressLine(int sheet, int total)
{
    return GetText(754) + QLatin1Char(' ') + QString::number(sheet) + QLatin1Char(' ') + GetText(755) + QLatin1Char(' ')
           + QString::number(total);
}
