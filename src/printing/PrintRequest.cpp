#include "PrintRequest.h"

#include "Document.h"
#include "Strings.h"

#include <QFile>

#include <algorithm>
#include <filesystem>
#include <map>

namespace {

std::vector<TCDLPage *> PagesOf(const TCDLDocument &d, TPrintWhat what)
{
    switch (what) {
    case TPrintWhat::CDLabel: return {&d.Label()};
    case TPrintWhat::InlayFront: return {&d.Front()};
    case TPrintWhat::InlayBack: return {&d.Back()};
    case TPrintWhat::FrontAndBack: return {&d.Front(), &d.Back()};
    }
    return {};
}

bool Suffices(const TCDLDocument &d, TPrintWhat what, int64_t prints)
{
    if (prints > INT32_MAX)
        return false;
    for (const TCDLPage *p : PagesOf(d, what))
        if (!p->SerialNumbersSuffice(int32_t(prints)))
            return false;
    return true;
}

int ClampedInt(int64_t v) { return int(std::clamp<int64_t>(v, 0, INT32_MAX)); }

constexpr int NothingSelected = 750;
constexpr int TooFewSerialNumbers = 751;

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

int CheckPrintable(const TPrintRequest &r)
{
    // A document named at several places (or twice among the open ones)
    // takes numbers for each: its demand is the sum over every place.
    std::map<TCDLDocument *, int64_t> demand;
    auto demandOf = [&](const std::vector<TCDLDocument *> &docs, int each) {
        for (TCDLDocument *d : docs)
            demand[d] += each;
    };
    switch (r.Mode) {
    case TPrintMode::Current:
        if (!r.Active || r.Count <= 0)
            return NothingSelected;
        demandOf({r.Active}, r.Count);
        break;
    case TPrintMode::Selection:
        if (r.Places().empty() || r.Sheets <= 0)
            return NothingSelected;
        demandOf(r.Places(), r.Sheets);
        break;
    case TPrintMode::AllOpen:
        // Each open document prints Count times, whatever the places of mode 2 name.
        if (r.OpenDocuments().empty() || r.Count <= 0)
            return NothingSelected;
        demandOf(r.OpenDocuments(), r.Count);
        break;
    }
    if (demand.empty())
        return NothingSelected;
    for (const auto &[d, n] : demand)
        if (!Suffices(*d, r.What, n))
            return TooFewSerialNumbers;
    return 0;
}

std::vector<const TCDLDocument *> PaperColorDocuments(const TPrintRequest &r)
{
    if (r.What != TPrintWhat::CDLabel)
        return {};
    switch (r.Mode) {
    case TPrintMode::Current: return {r.Active};
    case TPrintMode::Selection: {
        const auto named = r.Places();
        return {named.begin(), named.end()};
    }
    case TPrintMode::AllOpen: {
        const auto docs = r.OpenDocuments();
        return {docs.begin(), docs.end()};
    }
    }
    return {};
}

bool PaperColorsConflict(const std::vector<const TCDLDocument *> &documents)
{
    // Any negative index is a label without a paper colour.
    auto index = [](const TCDLDocument *d) { return std::max(d->Label().PaperColorIndex, -1); };
    const TCDLDocument *first = nullptr;
    for (const TCDLDocument *d : documents) {
        if (!d)
            continue;
        if (!first)
            first = d;
        else if (index(d) != index(first))
            return true;
    }
    return false;
}

bool IsOneOfTheDocuments(const QString &output, const QStringList &documents)
{
    // The file system's identity, not the names: links and "./" name one file.
    auto path = [](const QString &s) { return std::filesystem::path(QFile::encodeName(s).toStdString()); };
    std::error_code error;
    return std::any_of(documents.begin(), documents.end(), [&](const QString &d) {
        return !d.isEmpty() && std::filesystem::equivalent(path(output), path(d), error);
    });
}

QString ProgressLine(int sheet, int total)
{
    return GetText(754) + QLatin1Char(' ') + QString::number(sheet) + QLatin1Char(' ') + GetText(755) + QLatin1Char(' ')
           + QString::number(total);
}
