#include "PrintChecks.h"

#include "Barcode.h"
#include "Document.h"
#include "Strings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <map>

namespace {

using TKind = TPrintFinding::TKind;

constexpr int NothingSelected = 750;
constexpr int BarcodeLeavesOut = 1053;
constexpr int TooFewSerialNumbers = 751;
constexpr int MixedPaperColors = 760;
constexpr int PdfNotWritable = 1080;
constexpr int PrinterGone = 1082;
constexpr int DocumentClosed = 1093;
constexpr int PdfIsADocument = 1097;

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

// 750, 751 or 0.
int Unprintable(const TPrintRequest &r)
{
    if (CountSheets(r) <= 0)
        return NothingSelected;
    // A document named at several places (or twice among the open ones)
    // takes numbers for each: its demand is the sum over every place.
    std::map<TCDLDocument *, int64_t> demand;
    auto demandOf = [&](const std::vector<TCDLDocument *> &docs, int each) {
        for (TCDLDocument *d : docs)
            demand[d] += each;
    };
    switch (r.Mode) {
    case TPrintMode::Current:
        if (r.Active)
            demandOf({r.Active}, r.Count);
        break;
    case TPrintMode::Selection: demandOf(r.Places(), r.Sheets); break;
    // Each open document prints Count times, whatever the places of mode 2 name.
    case TPrintMode::AllOpen: demandOf(r.OpenDocuments(), r.Count); break;
    }
    if (demand.empty())
        return NothingSelected;
    for (const auto &[d, n] : demand)
        if (!Suffices(*d, r.What, n))
            return TooFewSerialNumbers;
    return 0;
}

// The documents whose pages the job prints.
std::vector<TCDLDocument *> PrintedDocuments(const TPrintRequest &r)
{
    switch (r.Mode) {
    case TPrintMode::Current: return {r.Active};
    case TPrintMode::Selection: return r.Places();
    case TPrintMode::AllOpen: return r.OpenDocuments();
    }
    return {};
}

// The documents whose CD labels share the job's sheets; inlays carry no paper colour.
std::vector<const TCDLDocument *> PaperColorDocuments(const TPrintRequest &r)
{
    if (r.What != TPrintWhat::CDLabel)
        return {};
    const auto docs = PrintedDocuments(r);
    return {docs.begin(), docs.end()};
}

bool PaperColorsConflict(const TPrintRequest &r)
{
    // Any negative index is a label without a paper colour.
    auto index = [](const TCDLDocument *d) { return std::max(d->Label().PaperColorIndex, -1); };
    const TCDLDocument *first = nullptr;
    for (const TCDLDocument *d : PaperColorDocuments(r)) {
        if (!d)
            continue;
        if (!first)
            first = d;
        else if (index(d) != index(first))
            return true;
    }
    return false;
}

QString LeftOutOfBarcodes(const TPrintRequest &r)
{
    QString rejected;
    for (const TCDLDocument *d : PrintedDocuments(r))
        if (d)
            for (const TCDLPage *p : PagesOf(*d, r.What))
                for (QChar c : BarcodeRejects(*p))
                    if (!rejected.contains(c))
                        rejected.append(c);
    return rejected;
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

bool Writable(const QString &path)
{
    const QFileInfo fi(path);
    if (fi.exists())
        return fi.isFile() && fi.isWritable();
    const QFileInfo dir(fi.absolutePath());
    return dir.isDir() && dir.isWritable();
}

} // namespace

QString TPrintFinding::Message() const { return Argument.isNull() ? GetText(Text) : GetText(Text).arg(Argument); }

std::vector<TPrintFinding> PrintFindings(const TPrintRequest &request, const TPrintFacts &facts)
{
    std::vector<TPrintFinding> found;
    if (!facts.Closed.isEmpty())
        found.push_back({TKind::Refusal, DocumentClosed, facts.Closed.join(QStringLiteral(", "))});
    if (PaperColorsConflict(request))
        found.push_back({TKind::Question, MixedPaperColors, {}});
    if (facts.Queues && !facts.Queues->contains(facts.Queue))
        found.push_back({TKind::Refusal, PrinterGone, facts.Queue});
    if (facts.Diagnostic)
        found.push_back({TKind::Report, 0, {}});
    if (const int text = Unprintable(request))
        found.push_back({TKind::Refusal, text, {}});
    if (const QString rejected = LeftOutOfBarcodes(request); !rejected.isEmpty())
        found.push_back({TKind::Notice, BarcodeLeavesOut, rejected});
    return found;
}

std::optional<TPrintFinding> Refusal(const TPrintRequest &request)
{
    for (TPrintFinding &f : PrintFindings(request))
        if (f.Kind == TKind::Refusal)
            return std::move(f);
    return std::nullopt;
}

std::vector<TPrintFinding> OutputFindings(const QString &path, const QStringList &documents, bool mustBeWritable)
{
    const QString shown = QDir::toNativeSeparators(path);
    std::vector<TPrintFinding> found;
    if (IsOneOfTheDocuments(path, documents))
        found.push_back({TKind::Refusal, PdfIsADocument, shown});
    if (mustBeWritable && !Writable(path))
        found.push_back({TKind::Refusal, PdfNotWritable, shown});
    return found;
}
