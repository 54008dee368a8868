// Align, distribute and restack on a page, with their undo and the page's
// modified flag.

#include "Arrange.h"
#include "Page.h"
#include "Shapes.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

using TPoints = std::array<int32_t, 4>; // X, Y, X2, Y2

TCDLFrame *AddBox(TCDLPage &p, int x, int y, int w, int h, int angle = 0)
{
    auto f = std::make_unique<TCDLRechteck>(&p, x, y);
    f->Width = w;
    f->Height = h;
    f->Angle = angle;
    TCDLFrame *raw = f.get();
    p.AddFrame(std::move(f));
    return raw;
}

TCDLFrame *AddLine(TCDLPage &p, int x, int y, int x2, int y2)
{
    auto f = std::make_unique<TCDLLinie>(&p, x, y);
    f->X2 = x2;
    f->Y2 = y2;
    TCDLFrame *raw = f.get();
    p.AddFrame(std::move(f));
    return raw;
}

TPoints Points(const TCDLFrame *f)
{
    return {f->X, f->Y, f->X2, f->Y2};
}

// A box at x 100..300, a line (300,50)-(400,80) and a box turned 90 whose
// bounds are (500,200)-(550,300), selected in that order.
struct ThreeFrames : ::testing::Test
{
    TCDLabel page{nullptr};
    TCDLFrame *box = AddBox(page, 100, 0, 200, 100);
    TCDLFrame *line = AddLine(page, 300, 50, 400, 80);
    TCDLFrame *turned = AddBox(page, 500, 300, 100, 50, 90);
    void SetUp() override
    {
        for (TCDLFrame *f : {box, line, turned})
            page.Selection.Add(f);
    }
};

struct TAlignCase
{
    TAlignMode Mode;
    TPoints Box, Line, Turned;
};

} // namespace

TEST_F(ThreeFrames, EachModeMovesByTheBoundsAndUndoRestoresTheSecondPointToo)
{
    ASSERT_EQ(turned->GetBoundRect(), (TRect{500, 200, 550, 300}));
    const TAlignCase cases[] = {
        {TAlignMode::Left, {100, 0, 0, 0}, {100, 50, 200, 80}, {100, 300, 0, 0}},
        {TAlignMode::Right, {350, 0, 0, 0}, {450, 50, 550, 80}, {500, 300, 0, 0}},
        {TAlignMode::Top, {100, 0, 0, 0}, {300, 0, 400, 30}, {500, 100, 0, 0}},
        {TAlignMode::Bottom, {100, 200, 0, 0}, {300, 270, 400, 300}, {500, 300, 0, 0}},
        // Axis y 150 between top 0 and bottom 300; the line's centre is 65.
        {TAlignMode::CenterH, {100, 100, 0, 0}, {300, 135, 400, 165}, {500, 200, 0, 0}},
        // Axis x (100 + 550) div 2 = 325.
        {TAlignMode::CenterV, {225, 0, 0, 0}, {275, 50, 375, 80}, {300, 300, 0, 0}},
        // Centres x 200, 350, 525: the middle one to 200 + Trunc(162.5).
        {TAlignMode::DistributeH, {100, 0, 0, 0}, {312, 50, 412, 80}, {500, 300, 0, 0}},
        {TAlignMode::DistributeV, {100, 0, 0, 0}, {300, 135, 400, 165}, {500, 300, 0, 0}},
    };
    for (const TAlignCase &c : cases) {
        SCOPED_TRACE(int(c.Mode));
        page.Modified = false;
        Align(page, c.Mode);
        EXPECT_EQ(Points(box), c.Box);
        EXPECT_EQ(Points(line), c.Line);
        EXPECT_EQ(Points(turned), c.Turned);
        EXPECT_EQ(line->Width, 0) << "nothing but the points changes";
        EXPECT_TRUE(page.Modified);
        EXPECT_EQ(page.Selection.Count(), 3) << "the group stays selected";

        page.Undo.Undo();
        EXPECT_EQ(Points(box), (TPoints{100, 0, 0, 0}));
        EXPECT_EQ(Points(line), (TPoints{300, 50, 400, 80}));
        EXPECT_EQ(Points(turned), (TPoints{500, 300, 0, 0}));
        ASSERT_EQ(page.Selection.Count(), 3) << "undo selects the group again";
    }
}

TEST(Arrange, DistributeSortsBySelectedCentresAndKeepsTheOuterOnes)
{
    TCDLabel page(nullptr);
    // Centres 100, 0, 11, 10 in selection order; each box is 20 wide.
    TCDLFrame *f[4];
    const int centres[] = {100, 0, 11, 10};
    for (int i = 0; i < 4; ++i) {
        f[i] = AddBox(page, centres[i] - 10, i * 7, 20, 20);
        page.Selection.Add(f[i]);
    }
    Align(page, TAlignMode::DistributeH);
    EXPECT_EQ(f[0]->X + 10, 100);
    EXPECT_EQ(f[1]->X + 10, 0);
    EXPECT_EQ(f[3]->X + 10, 33) << "second by centre: Trunc(33.3)";
    EXPECT_EQ(f[2]->X + 10, 66) << "third by centre: Trunc(66.6)";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f[i]->Y, i * 7) << "spreading in x leaves y alone";

    // Spread vertically with unequal steps: (0..700) over six frames.
    TCDLabel tall(nullptr);
    std::vector<TCDLFrame *> g;
    for (int y : {700, 3, 0, 650, 9, 5}) {
        g.push_back(AddBox(tall, 0, y, 10, 0));
        tall.Selection.Add(g.back());
    }
    Align(tall, TAlignMode::DistributeV);
    std::vector<int> ys;
    for (TCDLFrame *fr : g)
        ys.push_back(fr->Y);
    EXPECT_EQ(ys, (std::vector<int>{700, 140, 0, 560, 420, 280}));
}

TEST(Arrange, NothingToMoveLeavesThePageUnmodifiedButStillTakesTheSnapshot)
{
    TCDLabel page(nullptr);
    for (int y : {0, 100, 200}) {
        TCDLFrame *f = AddBox(page, 50, y, 40, 40);
        page.Selection.Add(f);
    }
    Align(page, TAlignMode::DistributeH);
    EXPECT_TRUE(page.Undo.CanUndo()) << "equal centres: an undo step, no move";
    EXPECT_FALSE(page.Modified);
    page.Undo.Undo();
    Align(page, TAlignMode::Left);
    EXPECT_TRUE(page.Undo.CanUndo());
    EXPECT_FALSE(page.Modified) << "already aligned";

    // Two members cannot be spread.
    TCDLabel two(nullptr);
    TCDLFrame *a = AddBox(two, 0, 0, 10, 10), *b = AddBox(two, 300, 0, 10, 10);
    two.Selection.Add(a);
    two.ActiveFrame = b; // joins the group
    b->State = 1;
    EXPECT_FALSE(CanAlign(two, TAlignMode::DistributeH));
    Align(two, TAlignMode::DistributeH);
    EXPECT_EQ(two.ActiveFrame, nullptr);
    EXPECT_EQ(two.Selection.Count(), 2);
    EXPECT_EQ(b->X, 300);
    EXPECT_FALSE(two.Modified);
}

TEST(Arrange, ASingleActiveFrameJoinsTheGroupAndNothingElseHappens)
{
    TCDLabel page(nullptr);
    TCDLFrame *f = AddBox(page, 10, 10, 40, 40);
    page.ActiveFrame = f;
    f->State = 1;
    EXPECT_FALSE(CanAlign(page, TAlignMode::Left));
    Align(page, TAlignMode::Left);
    EXPECT_EQ(page.ActiveFrame, nullptr);
    ASSERT_EQ(page.Selection.Count(), 1);
    EXPECT_EQ(page.Selection.Get(0), f);
    EXPECT_EQ(f->State, 1) << "its handles stay";
    EXPECT_FALSE(page.Undo.CanUndo());
    EXPECT_FALSE(page.Modified);
}

TEST(Arrange, MenuTagsCrossForSpreadingAndCentring)
{
    EXPECT_EQ(AlignModeOfTag(1), 0);
    EXPECT_EQ(AlignModeOfTag(4), 3);
    EXPECT_EQ(AlignModeOfTag(5), 5);
    EXPECT_EQ(AlignModeOfTag(6), 4);
    EXPECT_EQ(AlignModeOfTag(7), 7);
    EXPECT_EQ(AlignModeOfTag(8), 6);
    EXPECT_EQ(AlignModeOfTag(0), -1);
    EXPECT_EQ(AlignModeOfTag(9), -1);
}

TEST(Arrange, ShiftsAcrossTheWholeInt32RangeDoNotWrap)
{
    TCDLabel page(nullptr);
    TCDLFrame *far = AddLine(page, INT32_MIN, 0, INT32_MIN + 10, 0);
    TCDLFrame *near = AddLine(page, INT32_MAX - 10, 0, INT32_MAX, 0);
    page.Selection.Add(far);
    page.Selection.Add(near);
    Align(page, TAlignMode::Right);
    // The shift is 2^32 - 11, beyond int32 itself.
    EXPECT_EQ(far->X2, INT32_MAX);
    EXPECT_EQ(far->X, INT32_MAX - 10);
    EXPECT_EQ(near->X, INT32_MAX - 10);
}

TEST(Arrange, EveryRestackMarksThePageAndUndoesToTheOldOrder)
{
    struct TCommand
    {
        void (TCDLPage::*Run)();
        int From;
        std::vector<int> Order; // by original index, bottom first
    };
    const TCommand commands[] = {
        {&TCDLPage::OneStepForward, 1, {0, 2, 1, 3}},
        {&TCDLPage::OneStepBack, 2, {0, 2, 1, 3}},
        {&TCDLPage::ToFront, 1, {0, 2, 3, 1}},
        {&TCDLPage::ToBack, 2, {2, 0, 1, 3}},
    };
    for (const TCommand &c : commands) {
        TCDLabel page(nullptr);
        std::vector<TCDLFrame *> f;
        for (int i = 0; i < 4; ++i)
            f.push_back(AddBox(page, i * 10, 0, 10, 10));
        auto order = [&] {
            std::vector<int> r;
            for (int i = 0; i < page.FrameCount(); ++i)
                r.push_back(int(std::find(f.begin(), f.end(), page.FrameAt(i)) - f.begin()));
            return r;
        };
        page.ActiveFrame = f[size_t(c.From)];
        (page.*c.Run)();
        EXPECT_EQ(order(), c.Order);
        EXPECT_TRUE(page.Modified);
        EXPECT_EQ(page.ActiveFrame, f[size_t(c.From)]) << "stays active";
        page.Undo.Undo();
        EXPECT_EQ(order(), (std::vector<int>{0, 1, 2, 3}));
    }

    // At the end in the asked direction nothing changes or is recorded.
    TCDLabel page(nullptr);
    TCDLFrame *bottom = AddBox(page, 0, 0, 10, 10);
    AddBox(page, 0, 0, 10, 10);
    page.ActiveFrame = bottom;
    page.ToBack();
    page.OneStepBack();
    EXPECT_FALSE(page.Modified);
    EXPECT_FALSE(page.Undo.CanUndo());
}
