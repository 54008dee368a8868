#pragma once
// Print targets on the system's printers (CUPS queues) and on PDF files,
// through QtPrintSupport. Kept apart from the headless printing library so
// only what really prints links it.

#include "PrintTarget.h"

#include <QPageSize>
#include <QString>
#include <QStringList>
#include <memory>

// Every CUPS queue by name, the default first; empty without CUPS or queues.
QStringList PrinterQueues();
QString DefaultPrinterQueue();

// A target printing to the named queue; throws ELocalizedError (text 1081) for an unknown queue.
// An invalid paper size takes the queue's own. Calibration is stored under the queue's name.
std::unique_ptr<TPrintTarget> MakeQueueTarget(const QString &queue, QPageSize paper);

// A target writing one PDF file; its offset is 0 and it needs no calibration. The file is
// there once a job on the target has completed.
std::unique_ptr<TPrintTarget> MakePdfFileTarget(const QString &path, QPageSize paper);

// What Linux can tell about a queue for the DEBUG report: name, driver/PPD (make and model),
// resolution, margins, copies, colour, duplex, description, one per line. Not its paper: a job
// reports the paper it prints on.
QString DescribeQueue(const QString &queue);
