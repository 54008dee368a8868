#include "PrintTestSupport.h"

#include "Settings.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

TEST(SheetLayout, PaperSizeChoosesTheSheetKind)
{
    EXPECT_EQ(SheetKindForPaper(QPageSize(QPageSize::Letter)), TSheetKind::Letter);
    EXPECT_EQ(SheetKindForPaper(QPageSize(QSizeF(215.9, 279.4), QPageSize::Millimeter)), TSheetKind::Letter);
    for (auto other : {QPageSize::A4, QPageSize::Legal, QPageSize::A5, QPageSize::Custom})
        EXPECT_EQ(SheetKindForPaper(QPageSize(other)), TSheetKind::A4) << int(other);
}

TEST(SheetLayout, CentresOfLabelsAndInlays)
{
    const QPoint a4Labels[] = {{633, 660}, {1475, 1482}, {633, 2304}};
    const QPoint letterLabels[] = {{630, 675}, {1540, 1400}, {630, 2115}};
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(CDLabelCentre(TSheetKind::A4, p), a4Labels[p - 1]);
        EXPECT_EQ(CDLabelCentre(TSheetKind::Letter, p), letterLabels[p - 1]);
    }
    struct Case
    {
        TSheetKind kind;
        TPageKind inlay;
        int position;
        QPoint centre;
    };
    const Case cases[] = {
        {TSheetKind::A4, TPageKind::InlayVorder, 1, {1072, 890}},
        {TSheetKind::A4, TPageKind::InlayVorder, 2, {1072, 2100}},
        {TSheetKind::A4, TPageKind::InlayVorder, 3, {1072, 890}},
        {TSheetKind::A4, TPageKind::InlayRueck, 1, {1073, 905}},
        {TSheetKind::A4, TPageKind::InlayRueck, 3, {1073, 2085}},
        {TSheetKind::Letter, TPageKind::InlayVorder, 1, {1081, 807}},
        {TSheetKind::Letter, TPageKind::InlayVorder, 2, {1081, 2017}},
        {TSheetKind::Letter, TPageKind::InlayRueck, 1, {1082, 822}},
        {TSheetKind::Letter, TPageKind::InlayRueck, 2, {1082, 2002}},
        {TSheetKind::Letter, TPageKind::InlayRueck, 3, {1082, 2002}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(InlayCentre(c.kind, c.inlay, c.position), c.centre)
            << int(c.kind) << ' ' << int(c.inlay) << ' ' << c.position;
}

TEST(SheetLayout, WhiteDiscsGoOnlyOnTheMiddleNeighbours)
{
    EXPECT_EQ((std::tuple{DiscNeighbours(1), DiscNeighbours(2), DiscNeighbours(3)}),
              std::tuple(std::vector<int>{2}, (std::vector<int>{1, 3}), std::vector<int>{2}));
    // A disc on a neighbour never reaches into the label it belongs to.
    for (auto kind : {TSheetKind::A4, TSheetKind::Letter})
        for (int p = 1; p <= 3; ++p)
            for (int n : DiscNeighbours(p)) {
                const QPoint d = CDLabelCentre(kind, p) - CDLabelCentre(kind, n);
                EXPECT_GE(std::hypot(d.x(), d.y()), 2.0 * SheetLabelRadius);
            }
}

TEST(SheetLayout, CutMarksOfTheThreeLayouts)
{
    EXPECT_TRUE(CutMarkGeometry(TSheetKind::A4, TCutMarks::None).Crosses.empty());
    const TCutMarkGeometry fronts = CutMarkGeometry(TSheetKind::A4, TCutMarks::Fronts);
    EXPECT_EQ(fronts.Crosses,
              (std::vector<QPoint>{{473, 285}, {473, 1495}, {473, 2705}, {1671, 285}, {1671, 1495}, {1671, 2705}}));
    EXPECT_TRUE(fronts.Strokes.empty());
    const TCutMarkGeometry backs = CutMarkGeometry(TSheetKind::Letter, TCutMarks::Backs);
    EXPECT_EQ(backs.Crosses,
              (std::vector<QPoint>{{329, 232}, {329, 1412}, {329, 2592}, {1835, 232}, {1835, 1412}, {1835, 2592}}));
    const TCutMarkGeometry both = CutMarkGeometry(TSheetKind::A4, TCutMarks::FrontAndBack);
    EXPECT_EQ(both.Crosses,
              (std::vector<QPoint>{{473, 285}, {1671, 285}, {320, 1495}, {320, 2675}, {1826, 1495}, {1826, 2675}}));
    // The front's lower corners: strokes pointing out and up, away from the back.
    EXPECT_EQ(both.Strokes,
              (std::vector<QLine>{
                  {473, 1495, 423, 1495}, {473, 1495, 473, 1445}, {1671, 1495, 1721, 1495}, {1671, 1495, 1671, 1445}}));
}

TEST(SheetMapping, RoundsCalibratedPointsAndTruncatesCutMarks)
{
    TSheetMapping m = TSheetMapping::ForResolution({600, 300});
    EXPECT_EQ(m.Device({633, 660}), QPoint(1495, 780)); // 1495.28, 779.53
    m.Calibration = {-20, 15};
    EXPECT_EQ(m.Device({633, 660}), QPoint(1448, 797)); // 1448.03, 797.24
    EXPECT_EQ(m.Device({1072, 890}, {10, -10}), QPoint(2509, 1057));
    EXPECT_EQ(m.DeviceTruncated({473, 285}), QPoint(1070, 354)); // 1070.08, 354.33
    m.Preview = true;
    EXPECT_EQ(m.Device({633, 660}, {10, -10}), QPoint(1495, 780));
    EXPECT_EQ(m.DeviceTruncated({473, 285}), QPoint(1117, 336));

    // Offsets from a hand-edited file cannot overflow.
    m.Preview = false;
    m.Calibration = {INT32_MAX, INT32_MIN};
    const QPoint far = m.Device({633, 660}, {INT32_MAX, INT32_MIN});
    EXPECT_EQ(far, QPoint(INT32_MAX, INT32_MIN));
}

TEST(SheetMapping, DefaultCalibrationMeasuresFromThePaperEdge)
{
    // A quarter inch at 600 dpi: -150 / (600 / 254) = -63.5.
    EXPECT_EQ((std::tuple{DefaultCalibration(150, 600), DefaultCalibration(0, 600), DefaultCalibration(300, 600)}),
              std::tuple(-64, 0, -127));
    // More than half an inch, or negative, is not believed.
    EXPECT_EQ((std::tuple{DefaultCalibration(301, 600), DefaultCalibration(-5, 600), DefaultCalibration(10, 0)}),
              std::tuple(0, 0, 0));
}

class SheetMappingSettings : public ::testing::Test
{
protected:
    TSettingsDir dir;
};

TEST_F(SheetMappingSettings, StoredOffsetsPerPrinterElseThePhysicalOffset)
{
    TRecordingTarget::TOptions o;
    o.Name = u"Office [2nd floor] = laser"_s;
    o.Dpi = 600;
    o.PhysicalOffset = {150, 100};
    TRecordingTarget target(o);
    TSettings settings;
    settings.CoverFrontX = 7;
    settings.CoverBackY = -3;

    TSheetMapping m = SetupSheetMapping(target, settings);
    EXPECT_EQ(m.Calibration, QPoint(-64, -42));
    EXPECT_DOUBLE_EQ(m.ScaleX, 600 / 254.0);
    EXPECT_EQ((std::tuple{m.CoverFront, m.CoverBack, m.Preview}), std::tuple(QPoint(7, 0), QPoint(0, -3), false));

    ASSERT_TRUE(WritePrinterOffset(o.Name, -20, 15));
    m = SetupSheetMapping(target, settings);
    EXPECT_EQ(m.Calibration, QPoint(-20, 15));
    // Another printer keeps its own default.
    o.Name = u"Other"_s;
    EXPECT_EQ(SetupSheetMapping(TRecordingTarget(o), settings).Calibration, QPoint(-64, -42));
}

} // namespace
