// Align, distribute and restack on a page, with their undo and the page's
// modified flag.

#include "Arrange.h"
#include "EditorFixture.h"
#include "Page.h"
#include "Shapes.h"
#include "document/DocumentTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

using TPoints = std::array<int32_t, 4>; // X, Y, X2, Y2

TCDLFrame *AddBox(TCDLPage &p, int x, int y, int w, int h, int angle = 0)
{
    return Put(p, Make<TCDLRechteck>(&p, x, y, w, h, angle));
}
TCDLFrame *AddLine(TCDLPage &p, int x, int y, int x2, int y2) { return Put(p, Make2<TCDLLinie>(&p, x, y, x2, y2)); }

TPoints Points(const TCDLFrame *f) { return {f->X, f->Y, f->X2, f->Y2}; }

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
            page.AddToSelection(f);
    }
};

// By the tag of its command: the spreading and centring tags cross their modes.
struct TAlignCase
{
    int Tag;
    TPoints Box, Line, Turned;
};

} // namespace

TEST_F(ThreeFrames, EachModeMovesByTheBoundsAndUndoRestoresTheSecondPointToo)
{
    ASSERT_EQ(turned->GetBoundRect(), (TRect{500, 200, 550, 300}));
    const TAlignCase cases[] = {
        {1 /* left */, {100, 0, 0, 0}, {100, 50, 200, 80}, {100, 300, 0, 0}},
        {2 /* right */, {350, 0, 0, 0}, {450, 50, 550, 80}, {500, 300, 0, 0}},
        {3 /* top */, {100, 0, 0, 0}, {300, 0, 400, 30}, {500, 100, 0, 0}},
        {4 /* bottom */, {100, 200, 0, 0}, {300, 270, 400, 300}, {500, 300, 0, 0}},
        // Axis y 150 between top 0 and bottom 300; the line's centre is 65.
        {8 /* centre on a horizontal axis */, {100, 100, 0, 0}, {300, 135, 400, 165}, {500, 200, 0, 0}},
        // Axis x (100 + 550) div 2 = 325.
        {7 /* centre on a vertical axis */, {225, 0, 0, 0}, {275, 50, 375, 80}, {300, 300, 0, 0}},
        // Centres x 200, 350, 525: the middle one to 200 + Trunc(162.5).
        {6 /* spread horizontally */, {100, 0, 0, 0}, {312, 50, 412, 80}, {500, 300, 0, 0}},
        {5 /* spread vertically */, {100, 0, 0, 0}, {300, 135, 400, 165}, {500, 300, 0, 0}},
    };
    for (const TAlignCase &c : cases) {
        SCOPED_TRACE(c.Tag);
        page.Modified = false;
        Align(page, TAlignMode(AlignModeOfTag(c.Tag)));
        EXPECT_EQ((std::tuple{Points(box), Points(line), Points(turned), page.Modified}),
                  std::tuple(c.Box, c.Line, c.Turned, true));
        EXPECT_EQ(page.Selection().Count(), 3) << "the group stays selected";

        page.Undo.Undo();
        EXPECT_EQ((std::tuple{Points(box), Points(line), Points(turned)}),
                  std::tuple((TPoints{100, 0, 0, 0}), (TPoints{300, 50, 400, 80}), (TPoints{500, 300, 0, 0})));
        ASSERT_EQ(page.Selection().Count(), 3) << "undo selects the group again";
    }
    EXPECT_EQ((std::tuple{AlignModeOfTag(0), AlignModeOfTag(9)}), std::tuple(-1, -1));
}

TEST(Arrange, DistributeSortsBySelectedCentresAndKeepsTheOuterOnes)
{
    TCDLabel page(nullptr);
    // Centres 100, 0, 11, 10 in selection order, each box 20 wide.
    std::vector<TCDLFrame *> f;
    for (int centre : {100, 0, 11, 10}) {
        f.push_back(AddBox(page, centre - 10, centre, 20, 20));
        page.AddToSelection(f.back());
    }
    Align(page, TAlignMode::DistributeH);
    std::vector<int> centres, ys;
    for (TCDLFrame *fr : f) {
        centres.push_back(fr->X + 10);
        ys.push_back(fr->Y);
    }
    EXPECT_EQ(centres, (std::vector<int>{100, 0, 66, 33})) << "Trunc(33.3) and Trunc(66.6)";
    EXPECT_EQ(ys, (std::vector<int>{100, 0, 11, 10}));
    // Vertically (centres 110, 10, 21, 20) the outermost stay as well.
    Align(page, TAlignMode::DistributeV);
    EXPECT_EQ((std::tuple{f[0]->Y, f[1]->Y}), std::tuple(100, 0));
}

TEST(Arrange, SnapshotWithoutMoveLeavesThePageUnmodified)
{
    TCDLabel page(nullptr);
    for (int y : {0, 100, 200})
        page.AddToSelection(AddBox(page, 50, y, 40, 40));
    Align(page, TAlignMode::DistributeH);
    EXPECT_TRUE(page.Undo.CanUndo()) << "equal centres: an undo step, no move";
    EXPECT_FALSE(page.Modified);

    // A single active frame joins the group and nothing else happens.
    TCDLabel one(nullptr);
    TCDLFrame *f = AddBox(one, 10, 10, 40, 40);
    one.Activate(f);
    EXPECT_FALSE(CanAlign(one, TAlignMode::Left));
    Align(one, TAlignMode::Left);
    EXPECT_EQ((std::tuple{one.ActiveFrame(), one.Selection().Items(), one.Undo.CanUndo()}),
              std::tuple(nullptr, std::vector<TCDLFrame *>{f}, false));
}

TEST(Arrange, ShiftsAcrossTheWholeInt32RangeDoNotWrap)
{
    TCDLabel page(nullptr);
    TCDLFrame *far = AddLine(page, INT32_MIN, 0, INT32_MIN + 10, 0);
    page.AddToSelection(far);
    page.AddToSelection(AddLine(page, INT32_MAX - 10, 0, INT32_MAX, 0));
    Align(page, TAlignMode::Right); // a shift of 2^32 - 11
    EXPECT_EQ(Points(far), (TPoints{INT32_MAX - 10, 0, INT32_MAX, 0}));
}

TEST(Arrange, EveryRestackMarksThePageAndUndoesToTheOldOrder)
{
    struct TCommand
    {
        void (TCDLPage::*Run)();
        int From;
        std::vector<int> Order; // original indexes, bottom first
    };
    const std::vector<int> unmoved{0, 1, 2, 3};
    const TCommand commands[] = {
        {&TCDLPage::OneStepForward, 1, {0, 2, 1, 3}},
        {&TCDLPage::OneStepBack, 2, {0, 2, 1, 3}},
        {&TCDLPage::ToFront, 1, {0, 2, 3, 1}},
        {&TCDLPage::ToBack, 2, {2, 0, 1, 3}},
        // Already there: no move and no undo step.
        {&TCDLPage::OneStepForward, 3, unmoved},
        {&TCDLPage::ToFront, 3, unmoved},
        {&TCDLPage::OneStepBack, 0, unmoved},
        {&TCDLPage::ToBack, 0, unmoved},
    };
    for (const TCommand &c : commands) {
        SCOPED_TRACE(testing::Message() << "from " << c.From);
        TRecordingWindow win;
        TCDLabel page(&win);
        std::vector<TCDLFrame *> f;
        for (int i = 0; i < 4; ++i)
            f.push_back(AddBox(page, i * 10, 0, 10, 10));
        auto order = [&] {
            std::vector<int> r;
            for (int i = 0; i < page.FrameCount(); ++i)
                r.push_back(int(std::find(f.begin(), f.end(), page.FrameAt(i)) - f.begin()));
            return r;
        };
        page.Activate(f[size_t(c.From)]);
        (page.*c.Run)();
        EXPECT_EQ(order(), c.Order);
        const bool moved = c.Order != unmoved;
        EXPECT_EQ((std::tuple{page.Modified, page.Undo.CanUndo(), win.undoEnabled}), std::tuple(moved, moved, moved));
        if (!moved)
            continue;
        page.Undo.Undo();
        EXPECT_EQ(order(), unmoved);
        if (c.Run == &TCDLPage::OneStepForward || c.Run == &TCDLPage::OneStepBack) {
            EXPECT_EQ(page.ActiveFrame(), f[size_t(c.From)]) << "the single restored frame becomes active";
        }
        EXPECT_FALSE(win.undoEnabled);
    }
}
