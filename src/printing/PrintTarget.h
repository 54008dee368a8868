#pragma once
// What a print job needs of a printer: documents and pages, copies, the
// painter and the device geometry. The real printer, a PDF file and the
// recording target of the tests implement it.

#include "Page.h"

#include <QPageSize>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

class TPrintTarget
{
public:
    virtual ~TPrintTarget() = default;

    // The printer's name: its calibration is stored under it. Empty for
    // targets without calibration.
    virtual QString Name() const = 0;

    // Failures throw ELocalizedError with the person's message.
    virtual void BeginDocument(const QString &title) = 0;
    virtual void NewPage() = 0;
    virtual void EndDocument() = 0;
    // The job is over: a target that keeps its output until then (a file)
    // delivers it now, or throws when it cannot deliver it whole, and then
    // none of the job's labels count as printed.
    virtual void Complete() {}
    // A document is open.
    virtual bool IsPrinting() const = 0;

    // Takes effect for documents begun afterwards, as printer drivers take
    // the copy count when a document starts.
    virtual void SetCopyCount(int copies) = 0;
    virtual int CopyCount() const = 0;
    // Whether the copy count really multiplies the output; otherwise the job
    // draws every sheet itself.
    virtual bool MakesCopies() const = 0;

    // Active while a document is open.
    virtual QPainter *Painter() = 0;
    // Dots per inch in x and y.
    virtual QPoint Resolution() const = 0;
    // Device pixels between the paper's corner and device point (0,0).
    virtual QPoint PhysicalOffset() const = 0;
    virtual QPageSize PaperSize() const = 0;

    // A page of the given kind is about to be painted at a sheet position,
    // covering device rectangle r. For targets that keep a record of sheets.
    virtual void NotePlacement(int /*position*/, TPageKind /*kind*/, const QRect & /*r*/) {}
};
