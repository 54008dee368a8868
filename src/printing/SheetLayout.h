#pragma once
// Where the pages of a document land on a pre-cut label sheet. Sheet
// geometry is in 0.1 mm from the sheet's top-left corner, x to the right and
// y downwards; a page is placed by its centre.

#include "Page.h"

#include <QLine>
#include <QPageSize>
#include <QPoint>
#include <QSize>
#include <vector>

enum class TSheetKind { A4, Letter };

// Letter paper takes the Letter sheets; every other paper the A4 ones.
TSheetKind SheetKindForPaper(const QPageSize &paper);

// How CD labels are trimmed to their circle, in the order of the print
// dialog's list.
enum class TRoundTrim { Direct = 0, Indirect = 1, Off = 2 };

inline constexpr int CDPositions = 3;
inline constexpr int InlayPositions = 3;
// Printed a little beyond the page's own radius so a label sheet that sits
// slightly off still shows no white rim.
inline constexpr int32_t SheetLabelRadius = 575;
inline constexpr int32_t CutMarkArm = 50;

// Centre of CD-label place 1 (top left), 2 (middle right) or 3 (bottom left).
QPoint CDLabelCentre(TSheetKind kind, int position);

// Inlay places: 1 upper, 2 lower; 3 is the front-and-back sheet, where the
// front sits above and the back below.
QSize InlayHalfSize(TPageKind inlay);
int32_t InlayLeftEdge(TSheetKind kind, TPageKind inlay);
int32_t InlayDividingLine(TSheetKind kind);
bool InlayIsUpper(TPageKind inlay, int position);
QPoint InlayCentre(TSheetKind kind, TPageKind inlay, int position);

// The places whose labels a label at position covers with a white disc when
// the program trims indirectly. 1 and 3 lie too far apart to need one.
std::vector<int> DiscNeighbours(int position);

// Cut-mark layouts: none, two fronts, two backs, front above back.
enum class TCutMarks { None = 0, Fronts = 1, Backs = 2, FrontAndBack = 3 };
struct TCutMarkGeometry
{
    std::vector<QPoint> Crosses; // centres of full crosses
    std::vector<QLine> Strokes;  // single strokes, on the front-and-back sheet
};
TCutMarkGeometry CutMarkGeometry(TSheetKind kind, TCutMarks which);
