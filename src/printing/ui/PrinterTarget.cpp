#include "PrinterTarget.h"

#include "Errors.h"
#include "PdfTarget.h"
#include "Strings.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// A PDF at the resolution of a good label printer; finer buys nothing on
// paper and costs time.
constexpr int PdfDpi = 600;

// Asked of CUPS every time: a queue can be removed while the program runs.
bool QueueExists(const QString &queue)
{
    return !queue.isEmpty() && QPrinterInfo::availablePrinterNames().contains(queue);
}

// A QPrinter on a CUPS queue. The driver (CUPS) makes copies, so the job
// hands identical sheets over as one document with a copy count.
class TQueueTarget : public TPrintTarget
{
public:
    TQueueTarget(const QString &queue, const QPageSize &paper) : m_queue(queue), m_printer(QPrinter::HighResolution)
    {
        m_printer.setPrinterName(queue);
        if (paper.isValid())
            m_printer.setPageSize(paper);
        m_printer.setPageOrientation(QPageLayout::Portrait);
        m_printer.setColorMode(QPrinter::Color);
        // Device (0,0) at the printable area's corner, as a printer driver
        // has it: the sheet mapping's calibration accounts for the margins.
        m_printer.setFullPage(false);
    }
    ~TQueueTarget() override
    {
        if (m_painter.isActive())
            m_painter.end();
    }

    QString Name() const override { return m_queue; }

    void BeginDocument(const QString &title) override
    {
        if (!QueueExists(m_queue))
            throw ELocalizedError(GetText(1082).arg(m_queue));
        m_printer.setDocName(title);
        m_printer.setCopyCount(m_copies);
        if (!m_painter.begin(&m_printer))
            throw ELocalizedError(GetText(1084).arg(m_queue));
        m_printing = true;
    }
    void NewPage() override
    {
        if (!m_printer.newPage())
            throw ELocalizedError(GetText(1084).arg(m_queue));
    }
    void EndDocument() override
    {
        m_printing = false;
        // Qt hands the document to CUPS on end() and does not say whether
        // CUPS took it; a queue removed meanwhile is the one failure we can
        // see, and must not pass for printed labels.
        const bool gone = !QueueExists(m_queue);
        const bool ended = m_painter.end();
        if (gone)
            throw ELocalizedError(GetText(1082).arg(m_queue));
        if (!ended)
            throw ELocalizedError(GetText(1084).arg(m_queue));
    }
    bool IsPrinting() const override { return m_printing; }

    void SetCopyCount(int copies) override { m_copies = copies; }
    int CopyCount() const override { return m_copies; }
    bool MakesCopies() const override { return m_printer.supportsMultipleCopies(); }

    QPainter *Painter() override { return m_printing ? &m_painter : nullptr; }
    QPoint Resolution() const override { return {m_printer.logicalDpiX(), m_printer.logicalDpiY()}; }
    QPoint PhysicalOffset() const override
    {
        // The imageable area's corner: the margins the driver reports.
        const QMargins m = m_printer.pageLayout().marginsPixels(m_printer.resolution());
        return {m.left(), m.top()};
    }
    QPageSize PaperSize() const override { return m_printer.pageLayout().pageSize(); }

private:
    QString m_queue;
    QPrinter m_printer;
    QPainter m_painter;
    bool m_printing = false;
    int m_copies = 1;
};

QString YesNo(bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); }

} // namespace

QStringList PrinterQueues()
{
    QStringList queues = QPrinterInfo::availablePrinterNames();
    const QString first = DefaultPrinterQueue();
    if (queues.removeOne(first))
        queues.prepend(first);
    return queues;
}

QString DefaultPrinterQueue() { return QPrinterInfo::defaultPrinterName(); }

std::unique_ptr<TPrintTarget> MakeQueueTarget(const QString &queue, QPageSize paper)
{
    if (!QueueExists(queue))
        throw ELocalizedError(GetText(1081).arg(queue));
    return std::make_unique<TQueueTarget>(queue, paper);
}

std::unique_ptr<TPrintTarget> MakePdfFileTarget(const QString &path, QPageSize paper)
{
    return std::make_unique<TPdfTarget>(path, paper.isValid() ? paper : QPageSize(QPageSize::A4), PdfDpi);
}

QString DescribeQueue(const QString &queue)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(queue);
    if (info.isNull())
        return GetText(1081).arg(queue);
    QPrinter printer(info, QPrinter::HighResolution);
    const QPageLayout layout = printer.pageLayout();
    const QMarginsF mm = layout.margins(QPageLayout::Millimeter);
    // Not the queue's paper: a job names the paper it was given. The most
    // telling facts first, for a message box that shows only the first lines.
    QStringList lines;
    lines << QStringLiteral("Printer: %1").arg(info.printerName());
    lines << QStringLiteral("Driver: %1").arg(info.makeAndModel());
    lines << QStringLiteral("Resolution: %1 x %2 dpi").arg(printer.logicalDpiX()).arg(printer.logicalDpiY());
    lines << QStringLiteral("Margins (l, t, r, b): %1, %2, %3, %4 mm")
                 .arg(mm.left(), 0, 'f', 1)
                 .arg(mm.top(), 0, 'f', 1)
                 .arg(mm.right(), 0, 'f', 1)
                 .arg(mm.bottom(), 0, 'f', 1);
    lines << QStringLiteral("Copies by the driver: %1").arg(YesNo(printer.supportsMultipleCopies()));
    lines << QStringLiteral("Colour: %1").arg(YesNo(info.supportedColorModes().contains(QPrinter::Color)));
    const auto duplex = info.supportedDuplexModes();
    lines << QStringLiteral("Duplex: %1")
                 .arg(YesNo(duplex.contains(QPrinter::DuplexLongSide) || duplex.contains(QPrinter::DuplexShortSide)));
    if (!info.description().isEmpty())
        lines << QStringLiteral("Description: %1").arg(info.description());
    return lines.join(QLatin1Char('\n'));
}
