// Stands in for the printer-target library while it is not part of the
// build: the queues are listed, but only the PDF file prints.

#include "PrinterTarget.h"

#include "Errors.h"
#include "PdfTarget.h"
#include "Strings.h"

#include <QPrinterInfo>

QStringList PrinterQueues()
{
    QStringList queues = QPrinterInfo::availablePrinterNames();
    const QString standard = DefaultPrinterQueue();
    if (queues.removeAll(standard) > 0)
        queues.prepend(standard);
    return queues;
}

QString DefaultPrinterQueue() { return QPrinterInfo::defaultPrinterName(); }

std::unique_ptr<TPrintTarget> MakeQueueTarget(const QString &queue, QPageSize)
{
    throw ELocalizedError(GetText(1091).arg(queue));
}

std::unique_ptr<TPrintTarget> MakePdfFileTarget(const QString &path, QPageSize paper)
{
    return std::make_unique<TPdfTarget>(path, paper, 600);
}

QString DescribeQueue(const QString &queue)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(queue);
    if (info.isNull())
        return {};
    return QStringList{info.printerName(), info.makeAndModel(), info.defaultPageSize().name(), info.location()}.join(
        QLatin1Char('\n'));
}
