#include "PrinterAccess.h"

#include "PrinterTarget.h"

#include <QLocale>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

QPageSize LocalPaper()
{
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                              : QPageSize(QPageSize::A4);
}

} // namespace

TPrinterAccess TPrinterAccess::System()
{
    TPrinterAccess a;
    a.Queues = [] { return PrinterQueues(); };
    a.DefaultQueue = [] { return DefaultPrinterQueue(); };
    a.QueueTarget = [](const QString &queue, QPageSize paper) { return MakeQueueTarget(queue, paper); };
    a.PdfTarget = [](const QString &path, QPageSize paper) { return MakePdfFileTarget(path, paper); };
    a.Describe = [](const QString &queue) { return DescribeQueue(queue); };
    a.DefaultPaper = [](const QString &queue) {
        if (queue.isEmpty())
            return LocalPaper();
        const QPageSize p = QPrinterInfo::printerInfo(queue).defaultPageSize();
        return p.isValid() ? p : LocalPaper();
    };
    a.Properties = [](QWidget *parent, const QString &queue, const QPageSize &paper) -> std::optional<QPageSize> {
        QPrinter printer(QPrinter::HighResolution);
        if (queue.isEmpty())
            printer.setOutputFormat(QPrinter::PdfFormat);
        else
            printer.setPrinterName(queue);
        printer.setPageSize(paper);
        QPageSetupDialog d(&printer, parent);
        if (d.exec() != QDialog::Accepted)
            return std::nullopt;
        return printer.pageLayout().pageSize();
    };
    return a;
}
