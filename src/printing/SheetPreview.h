#pragma once
// The sheets of a print request as they will come out, one at a time, for
// the screen: the job's own plan drawn through the job's sheet drawing, with
// the preview's choices (no calibration or inlay offsets, CD labels always
// trimmed to their circle, no white discs, no second pass). It works on
// copies of the documents and steps their serial numbers as the job would,
// so a sheet shows the numbers it will be printed with and the documents
// stay as they are.

#include "PrintRequest.h"
#include "SheetPlan.h"

#include <QImage>
#include <QPageSize>
#include <memory>
#include <vector>

class QPainter;
class TSerialNumberState;

class TSheetPreview
{
public:
    // paper decides between the A4 and the Letter sheets. Throws
    // ELocalizedError when a document cannot be copied.
    TSheetPreview(const TPrintRequest &request, const QPageSize &paper);
    ~TSheetPreview();
    TSheetPreview(const TSheetPreview &) = delete;
    TSheetPreview &operator=(const TSheetPreview &) = delete;

    int SheetCount() const { return int(m_plans.size()); }
    // Sheet n (1-based) onto p, whose device area (0,0)..size shows a sheet
    // of 210 mm by 297 mm; nothing for an n outside the job. The area is
    // filled white first.
    void Paint(QPainter &p, QSize size, int n);
    QImage Image(int n, QSize size);

private:
    std::vector<std::unique_ptr<TCDLDocument>> m_copies;
    TPrintRequest m_request;
    QPageSize m_paper;
    std::vector<TSheetPlan> m_plans;
    std::unique_ptr<TSerialNumberState> m_start;
};
