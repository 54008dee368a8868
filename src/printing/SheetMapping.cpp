#include "SheetMapping.h"

#include "Geometry.h"
#include "PrintTarget.h"
#include "Settings.h"

#include <cmath>

namespace {

// Offsets come from a file a person may have edited: keep absurd values on
// the int range instead of overflowing.
int DeviceRound(double v) { return SaturatedInt(std::nearbyint(v)); }

double ScaleFor(int dpi) { return dpi / 254.0; }

} // namespace

TSheetMapping TSheetMapping::ForResolution(QPoint dpi)
{
    TSheetMapping m;
    m.ScaleX = ScaleFor(dpi.x());
    m.ScaleY = ScaleFor(dpi.y());
    return m;
}

QPointF TSheetMapping::Shifted(QPoint sheet, QPoint extra) const
{
    if (Preview)
        return sheet;
    const QPoint p(SaturatedAdd(SaturatedAdd(sheet.x(), Calibration.x()), extra.x()),
                   SaturatedAdd(SaturatedAdd(sheet.y(), Calibration.y()), extra.y()));
    // Without a correction the point stays whole, exactly as it always was.
    if (ScalePerMille.isNull())
        return p;
    return QPointF(p)
           + QPointF((double(sheet.x()) - ScaleCentre.x()) * ScalePerMille.x() / 1000.0,
                     (double(sheet.y()) - ScaleCentre.y()) * ScalePerMille.y() / 1000.0);
}

QPoint TSheetMapping::Device(QPoint sheet, QPoint extra) const
{
    const QPointF p = Shifted(sheet, extra);
    return {DeviceRound(p.x() * ScaleX), DeviceRound(p.y() * ScaleY)};
}

QPoint TSheetMapping::DeviceTruncated(QPoint sheet) const
{
    const QPointF p = Shifted(sheet, {});
    return {SaturatedInt(std::trunc(p.x() * ScaleX)), SaturatedInt(std::trunc(p.y() * ScaleY))};
}

int TSheetMapping::LengthX(int32_t v) const { return DeviceRound(v * ScaleX); }

int TSheetMapping::LengthY(int32_t v) const { return DeviceRound(v * ScaleY); }

int ClampPhysicalOffset(int offset, int dpi) { return offset < 0 || offset > dpi / 2 ? 0 : offset; }

int DefaultCalibration(int physicalOffset, int dpi)
{
    if (dpi <= 0)
        return 0;
    // In this order the arithmetic is exact for whole pixels, so halves round as halves.
    return DeviceRound(-ClampPhysicalOffset(physicalOffset, dpi) * 254.0 / dpi);
}

TSheetMapping SetupSheetMapping(const TPrintTarget &target, const TSettings &settings)
{
    const QPoint dpi = target.Resolution();
    const QPoint physical = target.PhysicalOffset();
    TSheetMapping m = TSheetMapping::ForResolution(dpi);
    const int dx = DefaultCalibration(physical.x(), dpi.x());
    const int dy = DefaultCalibration(physical.y(), dpi.y());
    if (target.Name().isEmpty()) {
        m.Calibration = QPoint(dx, dy);
    } else {
        m.Calibration = ReadPrinterOffset(target.Name(), dx, dy);
        m.ScalePerMille = ReadPrinterScale(target.Name());
    }
    m.ScaleCentre = CDLabelCentre(SheetKindForPaper(target.PaperSize()), 1);
    m.CoverFront = QPoint(settings.CoverFrontX, settings.CoverFrontY);
    m.CoverBack = QPoint(settings.CoverBackX, settings.CoverBackY);
    return m;
}
