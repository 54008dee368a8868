// What a press picks and what stays selected: hit order, Ctrl toggling, the
// rubber band, the selection commands and Tab cycling.

#include "EditorFixture.h"
#include "Strings.h"

TEST_F(EditorTest, HandleOfActiveFrameWinsOverFrameLyingAboveIt)
{
    TCDLFrame *below = AddRect(-400, -400);
    TCDLFrame *above = AddRect(-20, -20, 300, 300); // covers below's bottom-right corner
    Click(D(-200, -200));
    ASSERT_EQ(page->ActiveFrame(), below);
    EXPECT_EQ(below->State(), TFrameState::Selected);

    // Handle 3 of the active frame lies under the upper frame.
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, H(below, 3));
    EXPECT_EQ(editor->State().MouseState, TMouseState::DragHandle);
    EXPECT_EQ(page->Mode(), 3);
    EXPECT_EQ(page->ActiveFrame(), below);
    editor->MouseUp(Qt::LeftButton, H(below, 3));

    // Off the handles the topmost frame is picked.
    Click(D(100, 100));
    EXPECT_EQ(page->ActiveFrame(), above);
    EXPECT_EQ(below->State(), TFrameState::Plain);
    EXPECT_EQ(win.status, above->Verbose());
}

TEST_F(EditorTest, CtrlClickBuildsAndDissolvesGroups)
{
    TCDLFrame *a = AddRect(-500, -500);
    TCDLFrame *b = AddRect(0, -500);
    TCDLFrame *c = AddRect(-500, 0);
    Click(D(-300, -300));
    ASSERT_EQ(page->ActiveFrame(), a);

    Click(D(200, -300), Qt::ControlModifier);
    EXPECT_EQ(page->ActiveFrame(), nullptr);
    EXPECT_EQ(page->Selection().Items(), (std::vector<TCDLFrame *>{a, b}));
    EXPECT_EQ(editor->State().MouseState, TMouseState::Idle) << "a Ctrl-click never starts a drag";

    Click(D(-300, 200), Qt::ControlModifier);
    EXPECT_EQ(win.status, QStringLiteral("3 ") + GetText(570));
    for (const TCDLFrame *f : {a, b, c})
        EXPECT_EQ(f->State(), TFrameState::Selected) << "every member shows its handles";

    // Out of a group of two the one left becomes the active frame.
    Click(D(-300, -300), Qt::ControlModifier);
    Click(D(200, -300), Qt::ControlModifier);
    EXPECT_TRUE(page->Selection().IsEmpty());
    EXPECT_EQ(page->ActiveFrame(), c);
    EXPECT_EQ(a->State(), TFrameState::Plain);
    EXPECT_EQ(b->State(), TFrameState::Plain);
    EXPECT_EQ(c->State(), TFrameState::Selected);

    // Ctrl-click on the active frame deselects it.
    Click(D(-300, 200), Qt::ControlModifier);
    EXPECT_EQ(page->ActiveFrame(), nullptr);
    EXPECT_EQ(c->State(), TFrameState::Plain);
    EXPECT_EQ(win.panels.back(), nullptr);
}

TEST_F(EditorTest, PressOutsideTheGroupEndsItForABandOrTheFrameUnderThePointer)
{
    TCDLFrame *a = AddRect(-500, -500);
    TCDLFrame *b = AddRect(0, -500);
    TCDLFrame *c = AddRect(-500, 100);
    editor->SelectAll();
    ASSERT_EQ(page->Selection().Count(), 3);

    // Outside every member on empty paper: the group goes, a band starts.
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, D(300, 300));
    EXPECT_TRUE(page->Selection().IsEmpty());
    EXPECT_EQ(editor->State().MouseState, TMouseState::Band);
    editor->MouseUp(Qt::LeftButton, D(300, 300));
    for (TCDLFrame *f : {a, b, c})
        EXPECT_EQ(f->State(), TFrameState::Plain);

    page->SelectAll();
    page->RemoveFromSelection(c);
    EXPECT_EQ(c->State(), TFrameState::Plain);
    page->AddToSelection(c);
    EXPECT_EQ(c->State(), TFrameState::Selected) << "a member shows its handles";
    page->RemoveFromSelection(c);
    // A frame outside the group is picked alone.
    Click(D(-300, 300));
    EXPECT_EQ(page->ActiveFrame(), c);
    EXPECT_TRUE(page->Selection().IsEmpty());
    EXPECT_EQ(a->State(), TFrameState::Plain);
}

TEST_F(EditorTest, RubberBandSelectsByHandleCentreStrictlyInside)
{
    TCDLFrame *a = AddRect(-500, -500, 200, 200); // centre (-400, -400)
    TCDLFrame *b = AddRect(100, 100, 200, 200);   // centre (200, 200)
    Drag(D(-590, -590), D(-300, -300));
    EXPECT_EQ(page->ActiveFrame(), a) << "one frame enclosed becomes the active frame";
    EXPECT_EQ(a->State(), TFrameState::Selected);
    EXPECT_EQ(win.status, a->Verbose());

    Drag(D(-590, -590), D(400, 400));
    EXPECT_EQ(page->ActiveFrame(), nullptr);
    EXPECT_EQ(page->Selection().Items(), (std::vector<TCDLFrame *>{a, b}));
    EXPECT_EQ(win.status, QStringLiteral("2 ") + GetText(570));

    // The band ends exactly on b's centre: not inside.
    const QPoint centre = (H(b, 1) + H(b, 3)) / 2;
    Drag(D(0, 0), centre);
    EXPECT_EQ(page->ActiveFrame(), nullptr);
    EXPECT_TRUE(page->Selection().IsEmpty());
    EXPECT_TRUE(win.status.isEmpty());

    // What a band encloses is measured in pixels, so it holds at any zoom.
    page->Context.SetZoomLevel(7);
    const QPoint c7 = D(200, 200);
    Drag(c7 - QPoint(5, 5), c7 + QPoint(5, 5));
    EXPECT_EQ(page->ActiveFrame(), b);
}

TEST_F(EditorTest, InvertTurnsTheActiveFrameIntoTheOthersAndBackAndClearDropsIt)
{
    TCDLFrame *a = AddRect(-500, -500);
    Click(D(-300, -300));
    ASSERT_EQ(page->ActiveFrame(), a);

    TCDLFrame *b = AddRect(0, -500);
    TCDLFrame *c = AddRect(-500, 0);
    editor->InvertSelection();
    EXPECT_EQ(page->ActiveFrame(), nullptr);
    EXPECT_EQ(page->Selection().Items(), (std::vector<TCDLFrame *>{b, c}));
    EXPECT_EQ(a->State(), TFrameState::Plain);
    EXPECT_EQ(b->State(), TFrameState::Selected);

    editor->InvertSelection();
    EXPECT_EQ(page->ActiveFrame(), a);
    EXPECT_TRUE(page->Selection().IsEmpty());
    EXPECT_EQ(b->State(), TFrameState::Plain);

    editor->ClearSelection();
    EXPECT_EQ(page->ActiveFrame(), nullptr);
    EXPECT_EQ(a->State(), TFrameState::Plain);
    EXPECT_EQ(win.panels.back(), nullptr);
}

TEST_F(EditorTest, TabCyclesThroughFramesByTheModifiersOfItsPress)
{
    TCDLFrame *a = AddRect(-500, -500);
    TCDLFrame *b = AddRect(0, -500);
    TCDLFrame *c = AddRect(-500, 0);
    EXPECT_TRUE(editor->KeyReleased(Qt::Key_Tab, Qt::NoModifier));
    EXPECT_EQ(page->ActiveFrame(), nullptr) << "nothing happens without an active frame";

    Click(D(-300, 200));
    ASSERT_EQ(page->ActiveFrame(), c);
    editor->KeyReleased(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_EQ(page->ActiveFrame(), a) << "forwards, wrapping to the first";
    EXPECT_EQ(c->State(), TFrameState::Plain);
    EXPECT_EQ(a->State(), TFrameState::Selected);
    // Shift let go before Tab: the release reports plain Tab.
    editor->KeyPressed(Qt::Key_Backtab, Qt::ShiftModifier);
    editor->KeyReleased(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_EQ(page->ActiveFrame(), c) << "backwards, wrapping to the last";
    editor->KeyReleased(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(page->ActiveFrame(), b);
    EXPECT_EQ(win.panels.back(), b);
    // Shift pressed only after Tab: forwards.
    editor->KeyPressed(Qt::Key_Tab, Qt::NoModifier);
    editor->KeyReleased(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(page->ActiveFrame(), c);
    // Ctrl+Tab belongs to the window, whenever Ctrl comes off.
    editor->KeyPressed(Qt::Key_Tab, Qt::ControlModifier);
    editor->KeyReleased(Qt::Key_Tab, Qt::NoModifier);
    editor->KeyReleased(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(page->ActiveFrame(), c);
}

TEST_F(EditorTest, PointerShapeOverHandlesOfTheActiveFrame)
{
    TCDLFrame *a = AddRect(-200, -200);
    EXPECT_EQ(editor->PointerShape(H(a, 6)), TPointerShape::Default) << "no active frame";
    Click(D(0, 0));
    EXPECT_EQ(editor->PointerShape(H(a, 6)), TPointerShape::SizeAll);
    EXPECT_EQ(editor->PointerShape(D(0, 0)), TPointerShape::Default) << "the body of a box frame";
    win.tool = TTool::Text;
    EXPECT_EQ(editor->PointerShape(H(a, 6)), TPointerShape::Default);
}
