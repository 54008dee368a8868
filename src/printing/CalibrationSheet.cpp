#include "CalibrationSheet.h"

#include "Errors.h"
#include "Geometry.h"
#include "PrintTarget.h"
#include "Strings.h"

#include <QFont>
#include <QPainter>
#include <cmath>

namespace {

constexpr int NumberHeight = 8, LetterHeight = 12; // font-record heights
constexpr int32_t FeedLeft = 100, FeedFirstEnd = 40, StairStep = 40;

// Font-record height to pixels, as page text has it.
int FontPixels(int height, double scaleY) { return std::max(1, SaturatedInt(std::trunc(height * 4 * scaleY))); }

int Trunc(double v) { return SaturatedInt(std::trunc(v)); }

QFont SheetFont(int pixels)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setWeight(QFont::Normal);
    return f;
}

// The first character cell of a number starting at at, for the turn.
QRect FirstCharacter(QPoint at, int turn, int px)
{
    const int w = std::max(1, px / 2);
    if (turn == 90)
        return {at.x() - px, at.y(), px, w};
    if (turn == -90)
        return {at.x(), at.y() - w, px, w};
    return {at.x(), at.y(), w, px};
}

TCalibrationLine Numbered(QLine line, int value, QPoint at, int turn, int px)
{
    return {line, value, at, turn, FirstCharacter(at, turn, px)};
}

} // namespace

TCalibrationSheet CalibrationSheetGeometry(QPointF scale, TSheetKind kind, QPoint calibration)
{
    const double sx = scale.x(), sy = scale.y();
    auto X = [&](double v) { return Trunc(v * sx); };
    auto Y = [&](double v) { return Trunc(v * sy); };
    const int t1 = SaturatedInt(std::nearbyint(10 * sy));
    const int t4 = SaturatedInt(std::nearbyint(40 * sy));

    TCalibrationSheet s;
    s.NumberPixels = FontPixels(NumberHeight, sy);
    s.LetterPixels = FontPixels(LetterHeight, sy);
    for (int v = CalibrationLow; v <= CalibrationHigh; v += CalibrationStep) {
        // Each line 4 mm shorter than the one before, so each has room for its number.
        const int x = X(1205 + v), top = Y(840 + 4 * v) - t4;
        s.XScale.push_back(Numbered(QLine(x, Y(1000), x, top), v, {x + t1, top}, 0, s.NumberPixels));
        const int y = Y(1230 + v), left = X(840 + 4 * v) - t4;
        const QLine line(X(1000), y, left, y);
        if (left - t1 / 2 - s.NumberPixels >= 0)
            s.YScale.push_back(Numbered(line, v, {left - t1 / 2, y + t1}, 90, s.NumberPixels));
        else // beside the printable corner it would leave the paper: upright above its line, where nothing stands
            s.YScale.push_back(Numbered(line, v, {t1 / 2, y - t1 - s.NumberPixels}, 0, s.NumberPixels));
    }
    s.Letters.push_back({QStringLiteral("X"), {X(1305), Y(840)}});
    s.Letters.push_back({QStringLiteral("Y"), {X(840), Y(1330)}});

    // Line m stands where the far label's bottom edge meets the paper when
    // the feed needs m per thousand: places move by the correction about the
    // first label's centre, and the first label is where the offsets put it.
    const QPoint first = CDLabelCentre(kind, 1), far = CDLabelCentre(kind, 3);
    const int32_t edge = far.y() + SheetLabelRadius;
    const double lever = edge - first.y();
    const int32_t cx = far.x() + calibration.x();
    for (int m = -FeedScaleLimit; m <= FeedScaleLimit; ++m) {
        const int y = Y(edge + calibration.y() + lever * m / 1000.0);
        // Lines below reach further right, so no line crosses a number above it.
        const int right = X(cx + FeedFirstEnd + StairStep * (m + FeedScaleLimit));
        s.FeedScale.push_back(
            Numbered(QLine(X(cx - FeedLeft), y, right, y), m, {right + t1 / 2, y - t1}, -90, s.NumberPixels));
    }
    s.Letters.push_back({QStringLiteral("Y \u2030"), {X(cx - 2 * FeedLeft - 20), Y(edge + calibration.y() - 70)}});
    return s;
}

void DrawCalibrationSheet(QPainter &p, const TCalibrationSheet &sheet)
{
    p.save();
    QPen pen(Qt::black);
    pen.setWidth(1);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    auto text = [&](QPoint at, int turn, const QString &t) {
        p.save();
        p.translate(at);
        p.rotate(turn);
        p.drawText(QPoint(0, p.fontMetrics().ascent()), t);
        p.restore();
    };
    p.setFont(SheetFont(sheet.NumberPixels));
    for (const auto *scale : {&sheet.XScale, &sheet.YScale, &sheet.FeedScale})
        for (const TCalibrationLine &l : *scale) {
            p.drawLine(l.Line);
            text(l.NumberAt, l.Turn, QString::number(l.Value));
        }
    p.setFont(SheetFont(sheet.LetterPixels));
    for (const TCalibrationText &t : sheet.Letters)
        text(t.At, 0, t.Text);
    p.restore();
}

void PrintCalibrationSheet(TPrintTarget &target, QPoint calibration)
{
    const QPoint dpi = target.Resolution();
    const TCalibrationSheet sheet = CalibrationSheetGeometry(QPointF(dpi.x() / 254.0, dpi.y() / 254.0),
                                                             SheetKindForPaper(target.PaperSize()), calibration);
    try {
        target.SetCopyCount(1);
        target.BeginDocument(GetText(453));
        QPainter *p = target.Painter();
        if (!p || !p->isActive())
            throw InternalError(20);
        DrawCalibrationSheet(*p, sheet);
        target.EndDocument();
        target.Complete();
    } catch (...) {
        if (target.IsPrinting()) {
            try {
                target.EndDocument();
            } catch (const ELocalizedError &) {
                // The first failure is the one to tell.
            }
        }
        throw;
    }
}
