#pragma once
// From sheet points (0.1 mm from the sheet's corner) to printer pixels: the
// printer's resolution, its calibration offsets and the inlays' extra
// offsets, and a printer's scale correction. A preview leaves all of them
// out and shows the sheet as designed.

#include "SheetLayout.h"

#include <QPoint>
#include <QPointF>

struct TSettings;
class TPrintTarget;

class TSheetMapping
{
public:
    double ScaleX = 1.0, ScaleY = 1.0; // device pixels per 0.1 mm
    QPoint Calibration;                // the printer's offsets, 0.1 mm
    QPoint CoverFront, CoverBack;      // added to inlay places only
    // Parts per thousand by which sheet places move away from ScaleCentre
    // (the first CD label's centre, which a calibration gets right), for a
    // printer that feeds the paper a little long or short. Pages themselves
    // keep their size.
    QPoint ScalePerMille;
    QPoint ScaleCentre;
    bool Preview = false;

    static TSheetMapping ForResolution(QPoint dpi);

    // Rounded device point of a sheet point; extra is an inlay's offset.
    QPoint Device(QPoint sheet, QPoint extra = {}) const;
    // Cut marks truncate.
    QPoint DeviceTruncated(QPoint sheet) const;
    int LengthX(int32_t v) const;
    int LengthY(int32_t v) const;
    QPoint CoverOffset(TPageKind inlay) const { return inlay == TPageKind::InlayRueck ? CoverBack : CoverFront; }

private:
    QPointF Shifted(QPoint sheet, QPoint extra) const;
};

// A physical offset outside 0..dpi/2 (more than half an inch) is not
// believed and taken as 0.
int ClampPhysicalOffset(int offset, int dpi);
// What an uncalibrated printer needs so that sheet points are measured from
// the paper edge: the negated (clamped) physical offset in 0.1 mm.
int DefaultCalibration(int physicalOffset, int dpi);

// The mapping for a print on target: its resolution, the calibration and
// scale correction stored under its name (defaulting to DefaultCalibration
// and none) and the inlay offsets of settings.
TSheetMapping SetupSheetMapping(const TPrintTarget &target, const TSettings &settings);
