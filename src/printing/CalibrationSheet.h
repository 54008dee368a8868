#pragma once
// The calibration sheet, printed onto a real CD-label sheet. Beside the
// first label's right and bottom edges stand two staircases of lines 1 mm
// apart, each numbered with the offset (0.1 mm) to enter where the label's
// cut edge meets it; they are drawn from the printable area's corner with
// no calibration. Beside the far label's bottom edge (place 3) a finer
// staircase, drawn with the given calibration, is numbered with the feed's
// scale correction in parts per thousand: it reads true once the offsets are.

#include "SheetLayout.h"

#include <QLine>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>
#include <vector>

class QPainter;
class TPrintTarget;

struct TCalibrationLine
{
    QLine Line; // device pixels, as all of this sheet
    int Value = 0;
    // Where the number's text starts: the top-left corner of its first
    // character cell before the turn.
    QPoint NumberAt;
    // 0 upright, 90 running downwards, -90 running upwards.
    int Turn = 0;
    // Where the number's first character must show.
    QRect NumberBox;
};

struct TCalibrationText
{
    QString Text;
    QPoint At; // top-left, upright
};

struct TCalibrationSheet
{
    std::vector<TCalibrationLine> XScale, YScale, FeedScale;
    std::vector<TCalibrationText> Letters;
    int NumberPixels = 0, LetterPixels = 0;
};

// The first and last values of the scales.
inline constexpr int CalibrationLow = -200, CalibrationHigh = 40, CalibrationStep = 10;
inline constexpr int FeedScaleLimit = 10;

// scale: device pixels per 0.1 mm; calibration only moves the feed scale.
TCalibrationSheet CalibrationSheetGeometry(QPointF scale, TSheetKind kind, QPoint calibration);
void DrawCalibrationSheet(QPainter &p, const TCalibrationSheet &sheet);
// The sheet as one document on target. Throws ELocalizedError; a document
// begun is ended before.
void PrintCalibrationSheet(TPrintTarget &target, QPoint calibration);
