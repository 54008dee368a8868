#pragma once
// What the print dialog needs of the system's printers, as replaceable
// functions: the queues, targets on a queue or a PDF file, the facts of the
// diagnostic report, a queue's paper and its properties dialog. System()
// is the real thing; tests put fakes in.

#include <QPageSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QWidget;
class TPrintTarget;

struct TPrinterAccess
{
    std::function<QStringList()> Queues;
    std::function<QString()> DefaultQueue;
    // Both throw ELocalizedError when the target cannot be made.
    std::function<std::unique_ptr<TPrintTarget>(const QString &queue, QPageSize paper)> QueueTarget;
    std::function<std::unique_ptr<TPrintTarget>(const QString &path, QPageSize paper)> PdfTarget;
    // One fact per line; empty when nothing is known.
    std::function<QString(const QString &queue)> Describe;
    // The paper a queue starts with; an empty queue name is the PDF file.
    std::function<QPageSize(const QString &queue)> DefaultPaper;
    // The page setup of a queue (empty: the PDF file); the chosen paper, or
    // none when cancelled.
    std::function<std::optional<QPageSize>(QWidget *parent, const QString &queue, const QPageSize &paper)> Properties;

    static TPrinterAccess System();
};
