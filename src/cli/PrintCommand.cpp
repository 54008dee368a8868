#include "PrintCommand.h"

#include "Document.h"
#include "Errors.h"
#include "PagePainter.h"
#include "PrintChecks.h"
#include "PrintJob.h"
#include "PrinterTarget.h"
#include "SaveFile.h"
#include "SerialNumberState.h"
#include "Settings.h"
#include "SheetMapping.h"
#include "SheetPreview.h"
#include "Strings.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

using namespace Qt::StringLiterals;

void Out(const QString &s) { std::fprintf(stdout, "%s\n", s.toLocal8Bit().constData()); }
void Err(const QString &s) { std::fprintf(stderr, "%s\n", s.toLocal8Bit().constData()); }

// A mistake in the command line, told in the usage's own words.
struct EUsage
{
    QString Message;
};

struct TPrintOptions
{
    QStringList Documents;
    TPrintWhat What = TPrintWhat::CDLabel;
    int Count = 1;
    int Start = 1;
    std::optional<TRoundTrim> Trim;
    bool CutMarks = true;
    std::optional<QPageSize> Paper;
    QString Pdf, Printer;
    bool SaveCounters = false;
    bool MixedPaper = false;
    // Mode 2: per place, the 1-based index of a document or 0 for none.
    std::vector<int> Places;
    // preview: the sheet, its image file and resolution.
    int Sheet = 1;
    QString Out;
    int Dpi = 100;
};

int Choice(const QString &option, const QString &value, const QStringList &choices)
{
    const int i = choices.indexOf(value);
    if (i < 0)
        throw EUsage{u"%1: %2"_s.arg(option, choices.join(u'|'))};
    return i;
}

int Number(const QString &option, const QString &value, int low, int high)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < low || n > high)
        throw EUsage{u"%1: %2 to %3"_s.arg(option).arg(low).arg(high)};
    return n;
}

// The preview's own options instead of the output ones.
TPrintOptions Parse(const QStringList &args, bool preview = false)
{
    TPrintOptions o;
    std::optional<int> count;
    QString places;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                throw EUsage{u"%1: value missing"_s.arg(a)};
            return args[++i];
        };
        if (a == u"--what")
            o.What = TPrintWhat(Choice(a, value(), {u"cd"_s, u"front"_s, u"back"_s, u"both"_s}));
        else if (a == u"--count")
            count = Number(a, value(), 1, 1000);
        else if (a == u"--start")
            o.Start = Number(a, value(), 1, CDPositions);
        else if (a == u"--trim")
            o.Trim = TRoundTrim(Choice(a, value(), {u"direct"_s, u"indirect"_s, u"off"_s}));
        else if (a == u"--cut-marks")
            o.CutMarks = true;
        else if (a == u"--no-cut-marks")
            o.CutMarks = false;
        else if (a == u"--paper")
            o.Paper = QPageSize(Choice(a, value(), {u"a4"_s, u"letter"_s}) == 0 ? QPageSize::A4 : QPageSize::Letter);
        else if (preview && a == u"--sheet")
            o.Sheet = Number(a, value(), 1, INT32_MAX);
        else if (preview && a == u"--out")
            o.Out = value();
        else if (preview && a == u"--dpi")
            o.Dpi = Number(a, value(), 10, 600);
        else if (preview && (a == u"--pdf" || a == u"--save-counters"))
            throw EUsage{u"%1: unknown option"_s.arg(a)};
        else if (a == u"--pdf")
            o.Pdf = value();
        else if (a == u"--printer")
            o.Printer = value();
        else if (a == u"--save-counters")
            o.SaveCounters = true;
        else if (a == u"--places")
            places = value();
        else if (a == u"--yes")
            o.MixedPaper = true;
        else if (a.startsWith(u"--"))
            throw EUsage{u"%1: unknown option"_s.arg(a)};
        else
            o.Documents.append(a);
    }
    if (o.Documents.isEmpty())
        throw EUsage{u"no document"_s};
    if (preview && o.Out.isEmpty())
        throw EUsage{u"--out: the image file"_s};
    if (!o.Pdf.isEmpty() && !o.Printer.isEmpty())
        throw EUsage{u"--pdf and --printer exclude each other"_s};
    if (!places.isEmpty()) {
        if (o.What == TPrintWhat::FrontAndBack)
            throw EUsage{u"--places: cd, front or back"_s};
        const int size = o.What == TPrintWhat::CDLabel ? CDPositions : 2;
        const QStringList items = places.split(u',');
        if (items.size() != size)
            throw EUsage{u"--places: %1 entries, a document's number or -"_s.arg(size)};
        for (const QString &item : items)
            o.Places.push_back(item == u"-" ? 0 : Number(u"--places"_s, item, 1, int(o.Documents.size())));
        if (count)
            Number(u"--count"_s, QString::number(*count), 1, 99);
    }
    o.Count = count.value_or(1);
    return o;
}

TPrintRequest Request(const TPrintOptions &o, const std::vector<TCDLDocument *> &docs)
{
    TPrintRequest r;
    r.What = o.What;
    r.Count = o.Count;
    r.Sheets = o.Count;
    r.FirstPlace = o.Start;
    r.Trim = o.Trim.value_or(TRoundTrim(ReadPrintTrimMode()));
    r.CutMarks = o.CutMarks;
    if (!o.Places.empty()) {
        r.Mode = TPrintMode::Selection;
        auto doc = [&](int place) {
            return o.Places[size_t(place)] ? docs[size_t(o.Places[size_t(place)] - 1)] : nullptr;
        };
        for (int i = 0; i < int(o.Places.size()); ++i) {
            if (o.What == TPrintWhat::CDLabel)
                r.CDPlaces[size_t(i)] = doc(i);
            else if (o.What == TPrintWhat::InlayFront)
                r.FrontPlaces[size_t(i)] = doc(i);
            else
                r.BackPlaces[size_t(i)] = doc(i);
        }
    } else if (docs.size() == 1) {
        r.Active = docs.front();
    } else {
        r.Mode = TPrintMode::AllOpen;
        r.Open = docs;
    }
    return r;
}

// Nobody stands at the printer to be asked: the second pass is only told.
class TCliJobHost : public TJobHost
{
public:
    void SecondPass(const QString &message) override { Err(message); }
};

std::unique_ptr<TPrintTarget> Target(const TPrintOptions &o)
{
    if (!o.Pdf.isEmpty())
        return MakePdfFileTarget(o.Pdf, o.Paper.value_or(QPageSize(QPageSize::A4)));
    const QString queue = o.Printer.isEmpty() ? DefaultPrinterQueue() : o.Printer;
    if (queue.isEmpty())
        throw ELocalizedError(GetText(1083));
    auto target = MakeQueueTarget(queue, o.Paper.value_or(QPageSize()));
    if (AppSettings().PrintDebug)
        Err(u"Papersize: %1\n"_s.arg(target->PaperSize().name()) + DescribeQueue(queue));
    return target;
}

// Nobody is asked: a question counts as No unless --yes answered it.
int Refuse(const TPrintFinding &finding)
{
    if (finding.Kind == TPrintFinding::TKind::Question)
        Err(finding.Message() + u' ' + GetText(1098));
    else
        Err(finding.Message());
    return 1;
}

struct TLoaded
{
    std::vector<std::pair<QString, std::unique_ptr<TCDLDocument>>> Files;
    // Per name on the command line.
    std::vector<TCDLDocument *> Documents;
};

// A file named twice is one document: its numbers run on, and it is saved once.
TLoaded Load(const QStringList &paths)
{
    TLoaded l;
    for (const QString &path : paths) {
        const QString key = QFileInfo(path).canonicalFilePath();
        auto same = std::find_if(l.Files.begin(), l.Files.end(), [&](const auto &f) {
            return !key.isEmpty() && QFileInfo(f.first).canonicalFilePath() == key;
        });
        if (same == l.Files.end()) {
            auto doc = std::make_unique<TCDLDocument>();
            QStringList warnings;
            doc->Load(path, &warnings);
            for (const QString &w : warnings)
                Err(w);
            l.Files.emplace_back(path, std::move(doc));
            same = l.Files.end() - 1;
        }
        l.Documents.push_back(same->second.get());
    }
    return l;
}

} // namespace

int PrintCommand(const QStringList &args)
{
    TPrintOptions o;
    try {
        o = Parse(args);
    } catch (const EUsage &e) {
        Err(e.Message);
        return 2;
    }

    // Nothing is read before the output is known not to replace a document;
    // a file that cannot be written is the target's failure.
    if (!o.Pdf.isEmpty())
        if (const auto found = OutputFindings(o.Pdf, o.Documents, false); !found.empty())
            return Refuse(found.front());

    TLoaded loaded = Load(o.Documents);
    const TPrintRequest request = Request(o, loaded.Documents);
    for (const TPrintFinding &f : PrintFindings(request)) {
        if (f.Kind == TPrintFinding::TKind::Notice)
            Err(f.Message());
        else if (f.Kind == TPrintFinding::TKind::Refusal || !o.MixedPaper)
            return Refuse(f);
    }

    std::vector<TSerialNumberState> before;
    for (const auto &[path, doc] : loaded.Files) {
        TPrintRequest one;
        one.Active = doc.get();
        before.emplace_back(one);
    }
    std::unique_ptr<TPrintTarget> target = Target(o);
    TDocumentPagePainter pages;
    TCliJobHost host;
    const TJobResult result = RunPrintJob(request, *target, pages, host, SetupSheetMapping(*target, AppSettings()));

    int code = result.Status == TJobResult::TStatus::Printed ? 0 : 1;
    if (o.SaveCounters) {
        for (size_t i = 0; i < loaded.Files.size(); ++i) {
            TSerialNumberState now = before[i];
            now.Take();
            if (now.SameNumbers(before[i]))
                continue;
            try {
                loaded.Files[i].second->Save(loaded.Files[i].first);
            } catch (const ELocalizedError &e) {
                Err(e.message());
                code = 1;
            }
        }
    }
    if (result.Status == TJobResult::TStatus::Printed)
        Out(GetText(1085).arg(CountSheets(request)));
    else
        Err(result.Message);
    return code;
}

int PreviewCommand(const QStringList &args)
{
    TPrintOptions o;
    try {
        o = Parse(args, true);
    } catch (const EUsage &e) {
        Err(e.Message);
        return 2;
    }
    TLoaded loaded = Load(o.Documents);
    const TPrintRequest request = Request(o, loaded.Documents);
    // Nothing is printed, so nothing needs an answer about paper colours.
    for (const TPrintFinding &f : PrintFindings(request)) {
        if (f.Kind == TPrintFinding::TKind::Notice)
            Err(f.Message());
        else if (f.Kind == TPrintFinding::TKind::Refusal)
            return Refuse(f);
    }
    QPageSize paper = o.Paper.value_or(QPageSize(QPageSize::A4));
    if (!o.Paper && !o.Printer.isEmpty())
        paper = MakeQueueTarget(o.Printer, QPageSize())->PaperSize();
    TSheetPreview preview(request, paper);
    if (o.Sheet > preview.SheetCount()) {
        Err(u"--sheet: 1 to %1"_s.arg(preview.SheetCount()));
        return 2;
    }
    const QSize size(qRound(2100 * o.Dpi / 254.0), qRound(2970 * o.Dpi / 254.0));
    // Encoded whole first: a full disk must leave an older image as it was.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QByteArray format = QFileInfo(o.Out).suffix().toLower().toLatin1();
    if (!preview.Image(o.Sheet, size).save(&buffer, format.constData()) || !WriteFileWhole(o.Out, bytes)) {
        Err(u"%1: %2"_s.arg(QDir::toNativeSeparators(o.Out), GetText(DocumentText::SaveFailed)));
        return 1;
    }
    return 0;
}
