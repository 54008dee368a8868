// quelmark-cli: the document tools without a window. It must run on a
// machine with no display at all, so it never asks for a windowing platform.

#include "Barcode.h"
#include "CalibrateCommand.h"
#include "Document.h"
#include "DocumentJson.h"
#include "Errors.h"
#include "PageRenderer.h"
#include "PrintCommand.h"
#include "Settings.h"
#include "Strings.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace {

struct TCommandUsage
{
    const char *Name;
    const char *Text;
};

constexpr TCommandUsage kUsage[] = {
    {"dump", "  quelmark-cli dump FILE.CDL\n"},
    {"render", "  quelmark-cli render FILE.CDL --page cd|front|back --out OUT.png|OUT.pdf [--dpi N]\n"},
    {"resave", "  quelmark-cli resave IN.CDL OUT.CDL\n"},
    {"print", "  quelmark-cli print FILE.CDL... [--what cd|front|back|both] [--count N] [--start 1|2|3]\n"
              "      [--trim direct|indirect|off] [--cut-marks|--no-cut-marks] [--paper a4|letter]\n"
              "      [--pdf OUT.pdf | --printer QUEUE] [--places D,D,D] [--save-counters] [--yes]\n"},
    {"preview", "  quelmark-cli preview FILE.CDL... [the options of print but --pdf and --save-counters]\n"
                "      [--sheet N] --out OUT.png [--dpi N]\n"},
    {"calibrate", "  quelmark-cli calibrate [--printer QUEUE | --pdf OUT.pdf] [--paper a4|letter]\n"
                  "  quelmark-cli calibrate [--printer QUEUE] --set X Y [--scale SX SY]\n"},
};

bool IsCommand(const QString &command)
{
    return std::any_of(std::begin(kUsage), std::end(kUsage),
                       [&](const TCommandUsage &u) { return command == QLatin1String(u.Name); });
}

bool AsksForHelp(const QStringList &args)
{
    return args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"));
}

// The usage of command, or of every command when it names none. Asked for,
// it goes to standard output and ends well; after a mistake, to standard
// error with status 2.
int Usage(const QString &command = {}, bool asked = false)
{
    FILE *to = asked ? stdout : stderr;
    std::fputs("usage:\n", to);
    for (const TCommandUsage &u : kUsage)
        if (!IsCommand(command) || command == QLatin1String(u.Name))
            std::fputs(u.Text, to);
    return asked ? 0 : 2;
}

// Qt's own remarks (a runtime folder not set, platform notes) are nothing a
// script reading standard error can act on; the program's own (a face that
// is missing) are.
void QtMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const bool ours = context.category && QLatin1String(context.category).startsWith(QLatin1String("quelmark."));
    if (ours || type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

void Err(const QString &s) { std::fprintf(stderr, "%s\n", s.toLocal8Bit().constData()); }

// Opens a document, reporting warnings; throws on failure.
std::unique_ptr<TCDLDocument> Open(const QString &path)
{
    auto doc = std::make_unique<TCDLDocument>();
    QStringList warnings;
    doc->Load(path, &warnings);
    for (const QString &w : warnings)
        Err(w);
    return doc;
}

int Dump(const QStringList &args)
{
    if (args.size() != 1)
        return Usage(QStringLiteral("dump"));
    auto doc = Open(args[0]);
    std::fputs(QJsonDocument(DocumentToJson(*doc)).toJson(QJsonDocument::Indented).constData(), stdout);
    return 0;
}

int Render(const QStringList &args)
{
    QString in, out, pageName = QStringLiteral("cd");
    int dpi = 300;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--page") && hasValue)
            pageName = args[++i];
        else if (a == QLatin1String("--out") && hasValue)
            out = args[++i];
        else if (a == QLatin1String("--dpi") && hasValue) {
            bool ok = false;
            dpi = args[++i].toInt(&ok);
            if (!ok || dpi < 10 || dpi > 2400) {
                Err(QStringLiteral("--dpi: 10 to 2400"));
                return 2;
            }
        } else if (in.isEmpty() && !a.startsWith(QLatin1String("--")))
            in = a;
        else
            return Usage(QStringLiteral("render"));
    }
    const QStringList names{QStringLiteral("cd"), QStringLiteral("front"), QStringLiteral("back")};
    const int page = names.indexOf(pageName);
    if (in.isEmpty() || out.isEmpty() || page < 0)
        return Usage(QStringLiteral("render"));
    auto doc = Open(in);
    TCDLPage &p = doc->Page(TPageKind(page));
    const bool pdf = QFileInfo(out).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
    if (!(pdf ? RenderPagePdf(p, out, dpi) : RenderPageImageFile(p, out, dpi))) {
        Err(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(out), GetText(DocumentText::SaveFailed)));
        return 1;
    }
    // Said as the window's status line says it; the page itself is right.
    const QString rejected = BarcodeRejects(p);
    if (!rejected.isEmpty())
        Err(GetText(1053).arg(rejected));
    return 0;
}

int Resave(const QStringList &args)
{
    if (args.size() != 2)
        return Usage(QStringLiteral("resave"));
    auto doc = Open(args[0]);
    doc->Save(args[1]);
    return 0;
}

int Run(QStringList args)
{
    if (args.isEmpty())
        return Usage();
    const QString command = args.takeFirst();
    if (AsksForHelp({command}) || (IsCommand(command) && AsksForHelp(args)))
        return Usage(command, true);
    try {
        if (command == QLatin1String("dump"))
            return Dump(args);
        if (command == QLatin1String("render"))
            return Render(args);
        if (command == QLatin1String("resave"))
            return Resave(args);
        if (command == QLatin1String("print") || command == QLatin1String("calibrate")) {
            const int code = command == QLatin1String("print") ? PrintCommand(args) : CalibrateCommand(args);
            return code == 2 ? Usage(command) : code;
        }
        if (command == QLatin1String("preview")) {
            const int code = PreviewCommand(args);
            return code == 2 ? Usage(command) : code;
        }
    } catch (const ELocalizedError &e) {
        Err(e.message());
        return 1;
    }
    return Usage();
}

} // namespace

int main(int argc, char **argv)
{
    // No window is ever shown: the offscreen platform serves fonts and
    // painting without a display server.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QtMessages);
    QGuiApplication app(argc, argv);
    // The whole settings file, as the window program has it once its main
    // window is up: messages follow the chosen language, and bar codes take
    // the same start and space characters, so both draw the same labels.
    ReadSettingsEarly(AppSettings());
    ReadSettingsMain(AppSettings());
    const int code = Run(QCoreApplication::arguments().mid(1));
    // A dump or a sheet count that never reached its file (a full disk) is
    // no success.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        Err(GetText(DocumentText::SaveFailed));
        return 1;
    }
    return code;
}
