// Page operations: the selection and its guard, undo of deletions,
// ids and guide lines.

#include "Page.h"
#include "Errors.h"
#include "Shapes.h"
#include "Strings.h"

#include <gtest/gtest.h>

namespace {

// Records what the page asks of its window.
struct RecordingHost : TPageHost
{
    std::vector<TCDLFrame *> panels;
    QString status;
    int repaints = 0;
    bool undoEnabled = false;
    void ShownFrameChanged(TCDLPage &, TCDLFrame *f) override { panels.push_back(f); }
    void ShowStatus(const QString &t) override { status = t; }
    void RepaintPage() override { ++repaints; }
    void SetUndoEnabled(bool e) override { undoEnabled = e; }
};

TCDLFrame *AddRect(TCDLPage &p, int x = 0)
{
    auto f = std::make_unique<TCDLRechteck>(&p, x, 0);
    f->SetDefaults();
    TCDLFrame *raw = f.get();
    p.AddFrame(std::move(f));
    return raw;
}

std::vector<int32_t> Ids(const TCDLPage &p)
{
    std::vector<int32_t> ids;
    for (const auto &f : p.Frames())
        ids.push_back(f->Id);
    return ids;
}

} // namespace

TEST(Page, SelectionRefusesMembersBeyondItsGuard)
{
    TCDLabel page(nullptr);
    TCDLFrame *b = AddRect(page, 100);
    // More members than any page holds: frames that are not on it.
    std::vector<std::unique_ptr<TCDLRechteck>> many;
    for (int i = 0; i <= MaxSelectionMembers; ++i) {
        many.push_back(std::make_unique<TCDLRechteck>(&page, 0, 0));
        page.AddToSelection(many.back().get());
    }
    try {
        page.AddToSelection(b);
        FAIL() << "a member beyond the guard was accepted";
    } catch (const ELocalizedError &e) {
        EXPECT_EQ(e.message(), GetText(569));
    }
    EXPECT_EQ((std::tuple{page.Selection().Count(), b->State()}),
              std::tuple(MaxSelectionMembers + 1, TFrameState::Plain));
    page.ClearGroup();
}

// What the panels and status are told is the editor's part (Selecting).
TEST(Page, SelectAllAndDeletingLeaveNoDanglingReference)
{
    RecordingHost host;
    TInlayVorder page(&host);
    page.SelectAll();
    EXPECT_EQ((std::tuple{page.ActiveFrame(), page.Selection().IsEmpty()}), std::tuple(nullptr, true));

    TCDLFrame *only = AddRect(page);
    page.SelectAll();
    EXPECT_EQ(page.ActiveFrame(), only) << "a single frame is the active frame, not a selection";
    EXPECT_EQ((std::tuple{page.Selection().IsEmpty(), page.Mode()}), std::tuple(true, ModeMove));

    AddRect(page, 500);
    AddRect(page, 900);
    page.SelectAll();
    EXPECT_EQ((std::tuple{page.ActiveFrame(), page.Selection().Count()}), std::tuple(nullptr, 3));
    EXPECT_EQ(host.status, QStringLiteral("3 ") + GetText(570));
    for (const auto &f : page.Frames())
        EXPECT_EQ(f->State(), TFrameState::Selected);
    page.DeselectAll();
    for (const auto &f : page.Frames())
        EXPECT_EQ(f->State(), TFrameState::Plain);

    page.Activate(page.FrameAt(1));
    page.DeleteFrame(1);
    EXPECT_EQ((std::tuple{page.ActiveFrame(), host.panels.back()}), std::tuple(nullptr, nullptr));
    page.SelectAll();
    page.DeleteGroup();
    EXPECT_EQ((std::tuple{page.FrameCount(), page.Modified}), std::tuple(0, true));
    EXPECT_THROW(page.Selection().Get(0), ELocalizedError);
}

TEST(Page, UndoKeepsFiveSnapshotsAndRestoresDeletionsWithTheirIds)
{
    RecordingHost host;
    TCDLabel page(&host);
    TCDLFrame *f = AddRect(page);
    for (int i = 1; i <= 6; ++i) {
        page.Undo.Record(f, nullptr, TUndoKind::Position);
        f->X = i * 10;
    }
    int undone = 0;
    while (page.Undo.CanUndo()) {
        page.Undo.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, 5);
    EXPECT_EQ(f->X, 10) << "the oldest change fell off";

    TCDLFrame *g = AddRect(page, 100), *h = AddRect(page, 200);
    const std::vector<int32_t> ids{f->Id, g->Id, h->Id};
    page.SelectAll();
    page.Modified = false;
    page.DeleteSelected();
    ASSERT_EQ(page.FrameCount(), 0);
    EXPECT_TRUE(page.Modified);
    page.Undo.Undo();
    EXPECT_EQ((std::tuple{Ids(page), page.Selection().Count(), page.FrameAt(2)->X}), std::tuple(ids, 3, 200));

    page.DeselectAll();
    page.Activate(page.FrameAt(1));
    page.DeleteSelected();
    EXPECT_EQ((std::tuple{page.ActiveFrame(), page.FrameCount()}), std::tuple(nullptr, 2));
    page.Undo.Undo();
    EXPECT_EQ(Ids(page), (std::vector<int32_t>{ids[0], ids[2], ids[1]})) << "restored frames come back on top";
    EXPECT_EQ(page.ActiveFrame(), page.FrameAt(2));
}

TEST(Page, NextIdWrapsAfterTwoHundredMillion)
{
    TCDLabel page(nullptr);
    page.Undo.NextIdValue = 200000000;
    EXPECT_EQ((std::tuple{page.Undo.NextId(), page.Undo.NextId()}), std::tuple(200000000, 0));
}

TEST(Page, SnapLineListRules)
{
    TSnapLine lines;
    lines.Add(100, false);
    lines.Add(100, true);
    lines.Add(100, false);
    lines.Add(50, false);
    lines.RemoveDuplicates();
    ASSERT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Get(0), (TSnapLineRecord{100, true})) << "the earlier duplicate goes";
    EXPECT_THROW(lines.Get(3), E_LinesIndexError);

    TSnapLine near;
    near.Add(10, false);  // 10 away from 0
    near.Add(-15, false); // 15 away
    EXPECT_EQ((std::tuple{near.FindNearest(0, false), near.FoundDistance}), std::tuple(0, 10));
    EXPECT_EQ(near.FindNearest(30, false), 0) << "exactly the tolerance still snaps";
    EXPECT_EQ(near.FindNearest(31, false), -1) << "21 units away is out of range";
    EXPECT_EQ(near.FoundDistance, near.Tolerance);

    TSnapLine tie;
    tie.Add(-12, false);
    tie.Add(12, false);
    EXPECT_EQ(tie.FindNearest(0, false), 1) << "of equally near lines the later wins";
    EXPECT_EQ(near.FindNearest(10, true), -1);
}
