#include "AppFixture.h"

#include "PageWidget.h"
#include "Rollup.h"
#include "Ruler.h"
#include "Units.h"

#include <QLineEdit>
#include <QToolButton>
#include <climits>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

bool OneTwoFive(const TRulerStep &s) { return s.Mantissa == 1 || s.Mantissa == 2 || s.Mantissa == 5; }

// A label back in model units from the origin: "12,5" with divisor 160 is 2000.
double LabelModel(const QString &label, int divisor)
{
    QString t = label;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    EXPECT_TRUE(ok) << label.toStdString();
    return v * divisor;
}

} // namespace

TEST(RulerScale, TicksAndLabelsAreWholeStepsOfTheUnit)
{
    // 1 px per mm: ticks every 5 mm, labels every 50 mm (10 and 20 mm are too close for 38 px).
    TRulerScale s = ChooseRulerScale(0.1, 10, 38, 5);
    EXPECT_EQ((std::tuple{s.Tick, s.Label, s.TicksPerLabel}), std::tuple((TRulerStep{5, 0}), (TRulerStep{5, 1}), 10));
    // 80 px per inch: tenths of an inch and labels at every half inch.
    s = ChooseRulerScale(0.5, 160, 38, 5);
    EXPECT_EQ((std::tuple{s.Tick, s.Label, s.TicksPerLabel}), std::tuple((TRulerStep{1, -1}), (TRulerStep{5, -1}), 5));
    // Ticks never finer than the model's tenth of a millimetre, however far zoomed in.
    s = ChooseRulerScale(40, 10, 38, 5);
    EXPECT_EQ((std::tuple{s.Tick, s.TicksPerLabel}), std::tuple((TRulerStep{1, -1}), 1));

    // Any scale: ticks and labels on 1-2-5 steps, far enough apart, labels on ticks, the finest such label.
    for (int divisor : {10, 160, 7}) {
        for (double ppm = 0.003; ppm < 60; ppm *= 1.37) {
            s = ChooseRulerScale(ppm, divisor, 38, 5);
            const double perUnit = ppm * divisor;
            ASSERT_TRUE(OneTwoFive(s.Tick) && OneTwoFive(s.Label)) << ppm;
            EXPECT_GE(s.Tick.Units() * divisor, 1 - 1e-9) << ppm;
            EXPECT_TRUE(s.Tick.Units() * perUnit >= 5 || s.Tick.Units() * divisor < 1.1 * 5) << ppm;
            EXPECT_GE(s.Label.Units() * perUnit, 38) << ppm;
            EXPECT_NEAR(s.Label.Units(), s.Tick.Units() * s.TicksPerLabel, 1e-9 * s.Label.Units()) << ppm;
            EXPECT_LE(s.TicksPerLabel, 10) << ppm;
        }
    }
}

TEST(RulerScale, MarksLandWhereThePageMapsTheirModelPositions)
{
    TPaintContext c;
    c.ScaleX = 0.8374;
    c.OffsetX = 311;
    for (int32_t origin : {0, -599, 123}) {
        const TRulerScale s = ChooseRulerScale(c.ScaleX, 10, 38, 5);
        ASSERT_EQ(s.Tick, (TRulerStep{1, 0})) << "1 mm = 8.4 px";
        const std::vector<TRulerMark> marks = RulerMarks(s, 10, origin, c.ScaleX, c.OffsetX, 0, 900);
        ASSERT_GT(marks.size(), 80u);
        // Every tick is one millimetre on from the one before, counted from the origin.
        int first = -1;
        for (size_t i = 0; i < marks.size() && first < 0; ++i)
            if (marks[i].Type == TRulerMark::Labelled)
                first = int(i);
        ASSERT_GE(first, 0);
        const int32_t at = origin + int32_t(LabelModel(marks[size_t(first)].Label, 10));
        for (size_t i = 0; i < marks.size(); ++i) {
            EXPECT_EQ(marks[i].Pos, c.MapX(at + (int(i) - first) * 10)) << origin << " mark " << i;
            const int phase = ((int(i) - first) % 5 + 5) % 5;
            EXPECT_EQ(marks[i].Type == TRulerMark::Labelled, phase == 0) << i;
            if (marks[i].Type == TRulerMark::Labelled) {
                EXPECT_EQ(origin + LabelModel(marks[i].Label, 10), at + (int(i) - first) * 10);
            }
        }
        EXPECT_GE(marks.front().Pos, 0);
        EXPECT_LE(marks.back().Pos, 900);
    }
    // Decimal labels in inches at a high zoom, with the decimal comma.
    const TRulerScale fine = ChooseRulerScale(0.5, 160, 38, 5);
    const std::vector<TRulerMark> inch = RulerMarks(fine, 160, 0, 0.5, 0, -100, 100);
    QStringList labels;
    for (const TRulerMark &m : inch)
        if (m.Type == TRulerMark::Labelled)
            labels.append(m.Label);
    EXPECT_EQ(labels, (QStringList{u"-1,0"_s, u"-0,5"_s, u"0,0"_s, u"0,5"_s, u"1,0"_s}));
}

TEST_F(OneDocumentTest, RulerLabelsSitOnThePageMappingAtEveryZoomAndOrigin)
{
    TMDIForm &m = *main;
    TChildWin *c = child;
    TCDLPage *p = c->ActivePage();
    const int labelWidth = c->HRuler()->fontMetrics().horizontalAdvance(u"-9999"_s);

    auto check = [&](TRuler *r, bool horizontal, const char *what) -> double {
        // The ruler follows the page's paint on its own.
        page->repaint();
        Process();
        const int divisor = UnitDivisor();
        const int32_t origin = horizontal ? p->Origin.x() : p->Origin.y();
        const std::vector<TRulerMark> shown = r->LastMarks();
        const QImage shot = r->grab().toImage();
        int labels = 0, last = INT_MIN;
        for (const TRulerMark &k : shown) {
            if (k.Type != TRulerMark::Labelled)
                continue;
            ++labels;
            const double model = origin + LabelModel(k.Label, divisor);
            // A tenth of an inch (25,4 units) lies between model units.
            if (divisor == 10) {
                EXPECT_EQ(model, std::round(model)) << what;
            }
            const TPaintContext &c = p->Context;
            const int expected = horizontal ? int(std::trunc(model * c.ScaleX)) + c.OffsetX
                                            : int(std::trunc(model * c.ScaleY)) + c.OffsetY;
            EXPECT_NEAR(k.Pos, expected, divisor == 10 ? 0 : 1)
                << what << " zoom " << c.ZoomLevel << " label " << k.Label.toStdString();
            if (last != INT_MIN) {
                EXPECT_GE(k.Pos - last, labelWidth + TRuler::LabelGap) << what;
            }
            last = k.Pos;
            // Drawn there: the mark's column is dark near the ruler's inner edge.
            const int at = r->ControlStart() + k.Pos;
            const QColor px =
                horizontal ? shot.pixelColor(at, TRuler::Thickness - 3) : shot.pixelColor(TRuler::Thickness - 3, at);
            EXPECT_LT(px.lightness(), 128) << what << " at " << at;
        }
        EXPECT_GE(labels, 2) << what << " zoom " << p->Context.ZoomLevel;
        const double tickUnits = r->LastScale().Tick.Units();
        EXPECT_TRUE(OneTwoFive(r->LastScale().Tick));
        return tickUnits;
    };

    std::vector<double> ticks;
    for (int level = 1; level <= 7; ++level) {
        Trigger(m, QByteArray("miZoom" + QByteArray::number(level)).constData());
        ticks.push_back(check(c->HRuler(), true, "top"));
        check(c->VRuler(), false, "left");
    }
    EXPECT_GT(ticks.front(), ticks.back()) << "finer ticks when zoomed in";

    // The zero point dragged onto the page: labels, the coordinates and the
    // status line count from there.
    p->Activate(AddRect(*p, 254, -100));
    p->AnnounceSelection();
    const QPoint zeroAt(page->width() / 3 + 7, page->height() / 3 + 5);
    auto *zero = c->findChild<QToolButton *>(u"sbSetZero"_s);
    Mouse(zero, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    Mouse(zero, QEvent::MouseButtonRelease, zero->mapFromGlobal(page->mapToGlobal(zeroAt)), Qt::LeftButton,
          Qt::NoButton);
    EXPECT_EQ(p->Origin, QPoint(p->Context.ModelX(zeroAt.x()), p->Context.ModelY(zeroAt.y())));
    QLineEdit *edX = main->CoordsRollup()->findChild<QLineEdit *>(u"edX"_s);
    QLineEdit *edY = main->CoordsRollup()->findChild<QLineEdit *>(u"edY"_s);
    ASSERT_TRUE(edX && edY);
    EXPECT_EQ((std::tuple{edX->text(), edY->text()}),
              std::tuple(FormatUnitValue(254 - p->Origin.x()), FormatUnitValue(-100 - p->Origin.y())));
    EXPECT_EQ(Status(m), p->ActiveFrame()->Verbose());
    for (int level : {3, 5, 7}) {
        Trigger(m, QByteArray("miZoom" + QByteArray::number(level)).constData());
        check(c->HRuler(), true, "top, moved zero");
        check(c->VRuler(), false, "left, moved zero");
        bool zeroShown = false;
        for (const TRulerMark &k : c->HRuler()->LastMarks())
            zeroShown |= k.Label == u"0"_s && k.Pos == p->Context.MapX(p->Origin.x());
        EXPECT_TRUE(zeroShown) << level;
    }
    // A change that only the page's paint notices.
    p->Origin = QPoint();
    check(c->HRuler(), true, "zero set directly");
    SetUnitCode(160);
    for (int level : {1, 4, 7})
        Trigger(m, QByteArray("miZoom" + QByteArray::number(level)).constData()), check(c->HRuler(), true, "inch");
    SetUnitCode(10);
}
