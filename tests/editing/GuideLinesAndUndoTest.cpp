// Guide lines on the page (move, delete onto a ruler, duplicates, snapping
// drawn, moved and sized frames), and that no frame pointer outlives its
// frame when a drag meets delete, undo or closing.

#include "EditorFixture.h"

TEST_F(EditorTest, GuideLineIsGrabbedBeforeFramesMovedAndDeletedOnTheRuler)
{
    TCDLFrame *f = AddRect(-200, -200);
    page->SnapLines.Add(0, false); // vertical, through the frame
    page->SnapLines.Add(-300, true);
    const QPoint onLine(D(0, 0).x() + 2, D(0, 0).y());
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, onLine);
    EXPECT_EQ(editor->State().MouseState, TMouseState::GuideLine);
    EXPECT_EQ(page->ActiveFrame(), nullptr) << "the line wins over the frame under it";
    editor->MouseMove(Qt::LeftButton, D(150, 0));
    editor->MouseUp(Qt::LeftButton, D(150, 0));
    EXPECT_EQ((std::tuple{page->SnapLines.Get(0).Position, page->Modified, QPoint(f->X, f->Y)}),
              std::tuple(editor->ModelOf(D(150, 0)).x(), true, QPoint(-200, -200)));

    // Dropped left of the page (onto the left ruler): a vertical line goes.
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, D(page->SnapLines.Get(0).Position, 0));
    editor->MouseMove(Qt::LeftButton, QPoint(-5, 100));
    editor->MouseUp(Qt::LeftButton, QPoint(-5, 100));
    ASSERT_EQ(page->SnapLines.Count(), 1);
    EXPECT_TRUE(page->SnapLines.Get(0).Horizontal);

    // A horizontal line dropped left of the page stays; only above goes.
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, D(300, -300));
    editor->MouseUp(Qt::LeftButton, QPoint(-5, D(0, -300).y()));
    EXPECT_EQ(page->SnapLines.Count(), 1);
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, D(300, -300));
    editor->MouseUp(Qt::LeftButton, QPoint(100, -1));
    EXPECT_EQ(page->SnapLines.Count(), 0);
}

TEST_F(EditorTest, DroppingLineOntoAnotherRemovesTheEarlier)
{
    const QPoint target = D(0, -400);
    const int32_t there = editor->ModelOf(target).y();
    page->SnapLines.Add(there, true);
    page->SnapLines.Add(100, true);
    page->SnapLines.Add(there, false); // same position, other orientation
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, D(300, 100));
    editor->MouseMove(Qt::LeftButton, target + QPoint(300, 0));
    editor->MouseUp(Qt::LeftButton, target + QPoint(300, 0));
    ASSERT_EQ(page->SnapLines.Count(), 2);
    // The earlier horizontal line went; the moved one and the vertical one stay.
    EXPECT_EQ(page->SnapLines.Get(0), (TSnapLineRecord{there, true}));
    EXPECT_EQ(page->SnapLines.Get(1), (TSnapLineRecord{there, false}));
}

TEST_F(EditorTest, NoFramePointerOutlivesDeleteOrUndoDuringADrag)
{
    AddRect(-200, -200);
    Click(D(0, 0));
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, D(0, 0));
    editor->MouseMove(Qt::LeftButton, D(40, 0));
    editor->DeleteSelected();
    EXPECT_EQ((std::tuple{page->FrameCount(), page->ActiveFrame(), editor->State().MouseState}),
              std::tuple(0, nullptr, TMouseState::Idle));
    // The rest of the drag finds nothing to move.
    editor->MouseMove(Qt::LeftButton, D(80, 0));
    editor->MouseUp(Qt::LeftButton, D(80, 0));
    EXPECT_TRUE(editor->DraggedFrames().empty());

    // Undo while a new frame is being drawn drops that frame only.
    win.tool = TTool::Circle;
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, D(0, 0));
    EXPECT_EQ(editor->DraggedFrames().size(), 1u);
    const int before = Snapshots();
    EXPECT_EQ((std::tuple{editor->Undo(), Snapshots(), page->ActiveFrame()}), std::tuple(true, before - 1, nullptr));
    editor->MouseUp(Qt::LeftButton, D(0, 0));
    EXPECT_EQ((std::tuple{page->FrameCount(), page->ActiveFrame()}), std::tuple(0, nullptr));

    // Delete during a creation neither records the unplaced frame nor keeps it.
    win.tool = TTool::Circle;
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, D(0, 0));
    editor->KeyPressed(Qt::Key_Delete, Qt::NoModifier);
    EXPECT_EQ(page->ActiveFrame(), nullptr);
    editor->MouseUp(Qt::LeftButton, D(0, 0));
    EXPECT_EQ(page->FrameCount(), 0);

    // The page never refers to a frame it does not hold yet.
    win.tool = TTool::Circle;
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, D(0, 0));
    EXPECT_EQ(page->ActiveFrame(), nullptr);
    page->DeleteSelected();
    page->Undo.Undo();
    editor->MouseUp(Qt::LeftButton, D(0, 0));
    ASSERT_EQ(page->FrameCount(), 1) << "commands of the page cannot reach the frame being drawn";
    EXPECT_EQ(page->ActiveFrame(), page->FrameAt(0));
}

TEST_F(EditorTest, FrameRefusedAtTheLimitIsFreedAndNotActive)
{
    for (int i = 0; i < MaxFramesPerPage; ++i)
        page->AddFrame(std::make_unique<TCDLRechteck>(page.get(), 0, 0));
    win.tool = TTool::Rectangle;
    Click(D(0, 0));
    EXPECT_EQ((std::tuple{page->FrameCount(), page->ActiveFrame(), editor->DraggedFrames().empty(),
                          win.warning.isEmpty(), page->Modified}),
              std::tuple(MaxFramesPerPage, nullptr, true, false, false));
    EXPECT_EQ(Snapshots(), 0) << "no creation snapshot for a frame that was never placed";
}

TEST_F(EditorTest, DrawnMovedAndSizedFramesLandOnGuideLines)
{
    TCDLFrame *f = AddRect(-200, -200);
    page->SnapLines.Add(212, false);
    Click(D(0, 0));
    // Two pixels are about four units: the edge would stop near 204.
    Drag(D(0, 0), D(0, 0) + QPoint(2, 0));
    EXPECT_EQ(f->X + f->Width, 212) << "the right edge meets the line";
    EXPECT_EQ(f->Y, -200);

    // Sizing by the right handle: the handle, not the pointer, meets the line.
    page->SnapLines.Delete(0);
    page->SnapLines.Add(250, false);
    const QPoint h = H(f, 6);
    Drag(h, h + QPoint(15, 0));
    EXPECT_EQ((std::tuple{f->X + f->Width, f->Height}), std::tuple(250, 400));

    // Far from every line nothing snaps.
    const int before = f->X;
    Drag(D(0, 0), D(0, 0) + QPoint(-60, 0));
    EXPECT_EQ(f->X, before + editor->ModelOf(D(0, 0) + QPoint(-60, 0)).x() - editor->ModelOf(D(0, 0)).x());

    // A line being drawn: its end meets both lines, and nothing with GuideFlag off.
    page->SnapLines.Add(300, false);
    page->SnapLines.Add(-100, true);
    for (const bool guides : {true, false}) {
        page->GuideFlag = guides;
        win.tool = TTool::Line;
        Drag(D(0, 0), D(290, -112));
        const TCDLFrame *l = page->FrameAt(page->FrameCount() - 1);
        EXPECT_EQ((std::tuple{l->X2 == 300, l->Y2 == -100}), std::tuple(guides, guides));
    }
}
