// Round text: character angles and alignment along the circle, the turned
// mode, the ring hit test, the moves and where the ink lands.

#include "DocumentTestSupport.h"

#include "Page.h"
#include "RoundText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

// The same direction, whichever turn of the circle the formula lands on.
double Turn(double a) { return std::remainder(a, 2 * Pi); }

// Centre (400,300) on a scale-1 context; start point straight below at r.
struct Ring
{
    TInlayVorder page{nullptr};
    TCDLRText t{&page, 400, 300};
    explicit Ring(QString text, int alignment = 0, int angle = 0, int r = 200)
    {
        t.X2 = 400;
        t.Y2 = 300;
        t.X = 400;
        t.Y = 300 + r;
        t.Alignment = alignment;
        t.Angle = angle;
        t.Values = QStringList{std::move(text)};
        page.Context.ScaleX = page.Context.ScaleY = 1;
        page.Context.OffsetX = page.Context.OffsetY = 0;
        Place();
    }
    // On the page's screen, for its hit tests, and the geometry placed there.
    void Place()
    {
        page.UpdateScreenGeometry(t);
        g = t.Geometry(page.Context);
    }
    double TotalAngle() const
    {
        double a = 0;
        for (const TCharInfo &c : t.Chars())
            a += c.Width / t.Radius();
        return a;
    }
    TFrameGeometry g;
};

} // namespace

TEST(RoundTextLayout, CharactersAdvanceByWidthOverRadius)
{
    Ring r(QStringLiteral("WiW"));
    ASSERT_EQ(r.t.Chars().size(), 3u);
    ASSERT_EQ(r.g.Chars.size(), 3u);
    const auto &c = r.t.Chars();
    const auto &at = r.g.Chars;
    EXPECT_DOUBLE_EQ(r.t.Radius(), 200.0);
    EXPECT_DOUBLE_EQ(c[0].Angle, c[0].Width / 200.0 / 2);
    EXPECT_DOUBLE_EQ(c[1].Angle, (c[0].Width + c[1].Width / 2.0) / 200.0);
    EXPECT_NEAR(Turn(r.g.StartAngle), -Pi / 2, 1e-9);
    EXPECT_NEAR(Turn(r.g.EndAngle), -Pi / 2 + r.TotalAngle(), 1e-9);
    // Counter-clockwise from the bottom: to the right, still below the centre.
    EXPECT_GT(at[2].Position.x(), at[0].Position.x());
    EXPECT_GT(at[0].Position.x(), 400);
    EXPECT_GT(at[2].Position.y(), 300);
    EXPECT_NEAR(std::hypot(at[1].Position.x() - 400.0, at[1].Position.y() - 300.0), 200, 1);
    EXPECT_EQ(std::remainder(at[0].FontAngle, 3600), std::nearbyint((-Pi / 2 + c[0].Angle) * 1800 / Pi));
}

TEST(RoundTextLayout, StartPointOnTheCentreUsesRadiusOne)
{
    Ring r(QStringLiteral("ab"), 0, 0, 0);
    EXPECT_DOUBLE_EQ(r.t.Radius(), 1.0);
    EXPECT_DOUBLE_EQ(r.t.Chars()[1].Angle, r.t.Chars()[0].Width + r.t.Chars()[1].Width / 2.0);
}

TEST(RoundTextLayout, ParagraphsRunOnWithoutASeparator)
{
    Ring r{QString()};
    r.t.Values = QStringList{QStringLiteral("ab"), QStringLiteral("cd")};
    QString s;
    for (const TCharInfo &c : r.t.Chars())
        s += c.Char;
    EXPECT_EQ(s, QStringLiteral("abcd"));
}

TEST(RoundTextLayout, AlignmentsStartCentreAndEndOnTheStartPoint)
{
    const QString text = QStringLiteral("HHHHHH");
    Ring centred(text, 1);
    const auto &c = centred.g.Chars;
    // Symmetric about the start point at the bottom.
    EXPECT_NEAR(c.front().Position.x() - 400, 400 - c.back().Position.x(), 2);
    EXPECT_NEAR(Turn(centred.g.StartAngle), -Pi / 2 - centred.TotalAngle() / 2, 0.01);
    Ring ended(text, 2);
    for (const TPlacedChar &ch : ended.g.Chars)
        EXPECT_LT(ch.Position.x(), 400);
    EXPECT_NEAR(Turn(ended.g.EndAngle), -Pi / 2, 0.01);
}

TEST(RoundTextLayout, TurnedTextRunsClockwiseOnTheOtherSide)
{
    Ring normal(QStringLiteral("HHH"));
    Ring turned(QStringLiteral("HHH"), 0, 180);
    for (const TPlacedChar &ch : turned.g.Chars)
        EXPECT_LT(ch.Position.x(), 400);
    for (const TCharInfo &ch : turned.t.Chars())
        EXPECT_LT(ch.Angle, 0);
    EXPECT_NEAR(turned.t.Chars()[0].Angle, -normal.t.Chars()[0].Angle, 1e-12);
}

TEST(RoundTextPaint, InkSitsInTheRingBelowTheStartPoint)
{
    for (int angle : {0, 180}) {
        Ring r(QStringLiteral("HHH"), 1, angle);
        TTestCanvas canvas(r.page.Context, 800, 800);
        r.t.PaintAt(r.page.Context, r.g);
        const QRect box = InkBox(canvas.Finish());
        ASSERT_FALSE(box.isNull());
        // Tops (normal) or feet (turned) on the inner circle: in the ring
        // either way.
        EXPECT_GE(box.top(), 499) << angle;
        EXPECT_LE(box.bottom(), r.g.OuterRadius + 300 + 1) << angle;
        EXPECT_NEAR(box.left() + box.right(), 800, 4) << angle;
    }
}

TEST(RoundTextHit, TheRingOnlyNotTheHole)
{
    Ring r(QStringLiteral("abc"));
    EXPECT_EQ(r.g.InnerRadius, 200);
    EXPECT_EQ(r.g.OuterRadius, 200 + r.t.LineHeight());
    EXPECT_TRUE(r.t.TestMouseHit(r.page.ScreenGeometry(r.t), 400, 500));
    EXPECT_TRUE(r.t.TestMouseHit(r.page.ScreenGeometry(r.t), 400 + 200 + r.t.LineHeight(), 300));
    EXPECT_FALSE(r.t.TestMouseHit(r.page.ScreenGeometry(r.t), 400, 400));
    EXPECT_FALSE(r.t.TestMouseHit(r.page.ScreenGeometry(r.t), 400, 300));
    EXPECT_FALSE(r.t.TestMouseHit(r.page.ScreenGeometry(r.t), 400, 500 + r.t.LineHeight() + 1));
}

TEST(RoundTextMoves, MoveKeepsTheVectorAndHandlesMoveOnePoint)
{
    Ring r(QStringLiteral("abc"));
    EXPECT_EQ((std::tuple{r.t.MouseMove(110, 220, 10, 20, ModeMove), QPoint(r.t.X, r.t.Y), QPoint(r.t.X2, r.t.Y2)}),
              std::tuple(true, QPoint(100, 200), QPoint(100, 0)));
    r.t.MouseMove(5, 6, 0, 0, 1);
    EXPECT_EQ(QPoint(r.t.X2, r.t.Y2), QPoint(5, 6));
    r.t.MouseMove(7, 8, 0, 0, 2);
    EXPECT_EQ(QPoint(r.t.X, r.t.Y), QPoint(7, 8));
    const TRect b = r.t.GetBoundRect();
    // r = 2.83, every bound truncated.
    EXPECT_EQ(b, (TRect{2, 3, 7, 8}));
    r.Place();
    EXPECT_TRUE(r.t.IsInRect(r.page.ScreenGeometry(r.t), TRect{4, 5, 6, 7}));
    EXPECT_FALSE(r.t.IsInRect(r.page.ScreenGeometry(r.t), TRect{5, 5, 6, 7}));
}
