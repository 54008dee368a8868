#include "CalibrateCommand.h"

#include "CalibrationSheet.h"
#include "Errors.h"
#include "PrinterTarget.h"
#include "Settings.h"
#include "SheetMapping.h"
#include "Strings.h"

#include <QDir>
#include <cstdio>
#include <optional>

namespace {

using namespace Qt::StringLiterals;

void Err(const QString &s) { std::fprintf(stderr, "%s\n", s.toLocal8Bit().constData()); }

struct EUsage
{
    QString Message;
};

struct TCalibrateOptions
{
    QString Pdf, Printer;
    std::optional<QPageSize> Paper;
    std::optional<QPoint> Offsets, Scale;
};

int Number(const QString &option, const QString &value, int low, int high)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < low || n > high)
        throw EUsage{u"%1: %2 to %3"_s.arg(option).arg(low).arg(high)};
    return n;
}

TCalibrateOptions Parse(const QStringList &args)
{
    TCalibrateOptions o;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                throw EUsage{u"%1: value missing"_s.arg(a)};
            return args[++i];
        };
        if (a == u"--pdf")
            o.Pdf = value();
        else if (a == u"--printer")
            o.Printer = value();
        else if (a == u"--paper") {
            const QString p = value();
            if (p != u"a4" && p != u"letter")
                throw EUsage{u"--paper: a4|letter"_s};
            o.Paper = QPageSize(p == u"a4" ? QPageSize::A4 : QPageSize::Letter);
        } else if (a == u"--set") {
            // The dialog's own message: the values must be whole numbers.
            auto offset = [&] {
                bool ok = false;
                const int n = value().toInt(&ok);
                if (!ok)
                    throw EUsage{GetText(450)};
                return n;
            };
            const int x = offset();
            o.Offsets = QPoint(x, offset());
        } else if (a == u"--scale") {
            const int x = Number(a, value(), -MaxPrinterScale, MaxPrinterScale);
            o.Scale = QPoint(x, Number(a, value(), -MaxPrinterScale, MaxPrinterScale));
        } else
            throw EUsage{u"%1: unknown option"_s.arg(a)};
    }
    if (!o.Pdf.isEmpty() && !o.Printer.isEmpty())
        throw EUsage{u"--pdf and --printer exclude each other"_s};
    if (o.Scale && !o.Offsets)
        throw EUsage{u"--scale goes with --set"_s};
    if (o.Offsets && (!o.Pdf.isEmpty() || o.Paper))
        throw EUsage{u"--set stores a queue's values and prints nothing"_s};
    return o;
}

QString Queue(const TCalibrateOptions &o)
{
    const QString queue = o.Printer.isEmpty() ? DefaultPrinterQueue() : o.Printer;
    if (queue.isEmpty())
        throw ELocalizedError(GetText(1083));
    if (!PrinterQueues().contains(queue))
        throw ELocalizedError(GetText(1081).arg(queue));
    return queue;
}

int Store(const TCalibrateOptions &o)
{
    const QString queue = Queue(o);
    // A value left as it was is not written, so a file without the scale
    // keys keeps printing exactly as before.
    bool saved = WritePrinterOffset(queue, o.Offsets->x(), o.Offsets->y());
    if (saved && o.Scale && *o.Scale != ReadPrinterScale(queue))
        saved = WritePrinterScale(queue, o.Scale->x(), o.Scale->y());
    if (!saved) {
        Err(GetText(1100).arg(QDir::toNativeSeparators(SettingsFilePath())));
        return 1;
    }
    return 0;
}

} // namespace

int CalibrateCommand(const QStringList &args)
{
    TCalibrateOptions o;
    try {
        o = Parse(args);
    } catch (const EUsage &e) {
        Err(e.Message);
        return 2;
    }
    if (o.Offsets)
        return Store(o);
    const std::unique_ptr<TPrintTarget> target =
        o.Pdf.isEmpty() ? MakeQueueTarget(Queue(o), o.Paper.value_or(QPageSize()))
                        : MakePdfFileTarget(o.Pdf, o.Paper.value_or(QPageSize(QPageSize::A4)));
    try {
        PrintCalibrationSheet(*target, SetupSheetMapping(*target, AppSettings()).Calibration);
    } catch (const ELocalizedError &e) {
        Err(GetText(454));
        Err(e.message());
        return 1;
    }
    return 0;
}
