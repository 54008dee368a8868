// What a press picks and what stays selected: hit order, Ctrl toggling, the
// rubber band, the selection commands and Tab cycling; and the one notice of
// the frame shown now (none for nothing or a group) that each change sends,
// with no window left holding a frame that the page has freed.

#include "EditorFixture.h"
#include "Strings.h"

#include <memory>

namespace {

// A rectangle that counts, as it is freed, whether the window still held it.
struct TWatchedRect : TCDLRechteck
{
    TWatchedRect(TCDLPage *page, int x, int y, const TRecordingWindow &w, std::shared_ptr<int> heldAtFree)
        : TCDLRechteck(page, x, y), m_window(w), m_heldAtFree(std::move(heldAtFree))
    {
    }
    ~TWatchedRect() override
    {
        if (!m_window.panels.empty() && m_window.panels.back() == this)
            ++*m_heldAtFree;
    }

private:
    const TRecordingWindow &m_window;
    std::shared_ptr<int> m_heldAtFree;
};

class Selecting : public EditorTest
{
protected:
    void TearDown() override
    {
        editor.reset();
        page.reset();
        if (!win.panels.empty()) {
            EXPECT_EQ(win.panels.back(), nullptr) << "the page's end tells none";
        }
        EXPECT_EQ(*heldAtFree, 0);
    }
    TCDLFrame *AddRect(int x, int y, int w = 400, int h = 400)
    {
        auto f = std::make_unique<TWatchedRect>(page.get(), x, y, win, heldAtFree);
        f->Width = w;
        f->Height = h;
        TCDLFrame *raw = Put(*page, std::move(f));
        editor->Layout();
        return raw;
    }
    // Since the last check at least one notice came, the last carried
    // `expected`, and that is what the page has active.
    void ExpectShown(const TCDLFrame *expected, const char *what)
    {
        ASSERT_GT(win.panels.size(), m_seen) << what << ": no notice";
        EXPECT_EQ((std::tuple{win.panels.back(), page->ActiveFrame()}), std::tuple(expected, expected)) << what;
        m_seen = win.panels.size();
    }
    void ClickTopLeft(const TCDLFrame *shown)
    {
        Click(D(-300, -300));
        ExpectShown(shown, "click");
    }
    void ExpectQuiet(const char *what) { EXPECT_EQ(win.panels.size(), m_seen) << what; }

    // Shared with the frames: they may be freed after this fixture's members.
    std::shared_ptr<int> heldAtFree = std::make_shared<int>(0);

private:
    size_t m_seen = 0;
};

} // namespace

TEST_F(Selecting, HandleOfActiveFrameWinsOverFrameLyingAboveIt)
{
    TCDLFrame *below = AddRect(-400, -400);
    TCDLFrame *above = AddRect(-20, -20, 300, 300); // covers below's bottom-right corner
    Click(D(-200, -200));
    ASSERT_EQ(page->ActiveFrame(), below);
    EXPECT_EQ(below->State(), TFrameState::Selected);

    // Handle 3 of the active frame lies under the upper frame.
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, H(below, 3));
    EXPECT_EQ((std::tuple{editor->State().MouseState, page->Mode(), page->ActiveFrame()}),
              std::tuple(TMouseState::DragHandle, 3, below));
    editor->MouseUp(Qt::LeftButton, H(below, 3));

    // Off the handles the topmost frame is picked.
    Click(D(100, 100));
    EXPECT_EQ((std::tuple{page->ActiveFrame(), below->State(), win.status}),
              std::tuple(above, TFrameState::Plain, above->Verbose()));
}

TEST_F(Selecting, CtrlClickBuildsAndDissolvesGroups)
{
    TCDLFrame *a = AddRect(-500, -500);
    TCDLFrame *b = AddRect(0, -500);
    TCDLFrame *c = AddRect(-500, 0);
    ClickTopLeft(a);

    Click(D(200, -300), Qt::ControlModifier);
    ExpectShown(nullptr, "ctrl-click makes a group");
    EXPECT_EQ(page->Selection().Items(), (std::vector<TCDLFrame *>{a, b}));
    EXPECT_EQ(editor->State().MouseState, TMouseState::Idle) << "a Ctrl-click never starts a drag";

    Click(D(-300, 200), Qt::ControlModifier);
    EXPECT_EQ(win.status, QStringLiteral("3 ") + GetText(570));
    for (const TCDLFrame *f : {a, b, c})
        EXPECT_EQ(f->State(), TFrameState::Selected) << "every member shows its handles";

    Click(D(-300, -300), Qt::ControlModifier);
    Click(D(200, -300), Qt::ControlModifier);
    ExpectShown(c, "the one left of a group of two");
    EXPECT_EQ((std::tuple{page->Selection().IsEmpty(), a->State(), b->State(), c->State()}),
              std::tuple(true, TFrameState::Plain, TFrameState::Plain, TFrameState::Selected));

    Click(D(-300, 200), Qt::ControlModifier);
    ExpectShown(nullptr, "ctrl-click on the active frame deselects it");
    EXPECT_EQ(c->State(), TFrameState::Plain);
}

TEST_F(Selecting, PressOutsideTheGroupEndsItForABandOrTheFrameUnderThePointer)
{
    TCDLFrame *a = AddRect(-500, -500);
    TCDLFrame *b = AddRect(0, -500);
    TCDLFrame *c = AddRect(-500, 100);
    editor->SelectAll();
    ASSERT_EQ(page->Selection().Count(), 3);

    // Outside every member on empty paper: the group goes, a band starts.
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, D(300, 300));
    EXPECT_EQ((std::tuple{page->Selection().IsEmpty(), editor->State().MouseState}),
              std::tuple(true, TMouseState::Band));
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
    ExpectShown(c, "a frame outside the group");
    EXPECT_EQ((std::tuple{page->Selection().IsEmpty(), a->State()}), std::tuple(true, TFrameState::Plain));
    Click(D(450, 450));
    ExpectShown(nullptr, "click on empty paper");
}

TEST_F(Selecting, RubberBandSelectsByHandleCentreStrictlyInside)
{
    TCDLFrame *a = AddRect(-500, -500, 200, 200); // centre (-400, -400)
    TCDLFrame *b = AddRect(100, 100, 200, 200);   // centre (200, 200)
    Drag(D(-590, -590), D(-300, -300));
    ExpectShown(a, "one frame enclosed becomes the active frame");
    EXPECT_EQ((std::tuple{a->State(), win.status}), std::tuple(TFrameState::Selected, a->Verbose()));

    Drag(D(-590, -590), D(400, 400));
    ExpectShown(nullptr, "a band around two");
    EXPECT_EQ(page->Selection().Items(), (std::vector<TCDLFrame *>{a, b}));
    EXPECT_EQ(win.status, QStringLiteral("2 ") + GetText(570));

    // The band ends exactly on b's centre: not inside.
    const QPoint centre = (H(b, 1) + H(b, 3)) / 2;
    Drag(D(0, 0), centre);
    EXPECT_EQ((std::tuple{page->ActiveFrame(), page->Selection().IsEmpty(), win.status.isEmpty()}),
              std::tuple(nullptr, true, true));

    // What a band encloses is measured in pixels, so it holds at any zoom.
    page->Context.SetZoomLevel(7);
    const QPoint c7 = D(200, 200);
    Drag(c7 - QPoint(5, 5), c7 + QPoint(5, 5));
    ExpectShown(b, "a band at zoom 7");
}

TEST_F(Selecting, InvertSelectAllClearAndAlignTellNoneForAGroup)
{
    TCDLFrame *a = AddRect(-500, -500);
    ClickTopLeft(a);

    TCDLFrame *b = AddRect(0, -500);
    TCDLFrame *c = AddRect(-500, 0);
    editor->InvertSelection();
    ExpectShown(nullptr, "invert turns the active frame into the others");
    EXPECT_EQ((std::tuple{page->Selection().Items(), a->State(), b->State()}),
              std::tuple((std::vector<TCDLFrame *>{b, c}), TFrameState::Plain, TFrameState::Selected));

    editor->InvertSelection();
    ExpectShown(a, "and back");
    EXPECT_EQ((std::tuple{page->Selection().IsEmpty(), b->State()}), std::tuple(true, TFrameState::Plain));

    editor->ClearSelection();
    ExpectShown(nullptr, "clear");
    EXPECT_EQ(a->State(), TFrameState::Plain);

    ClickTopLeft(a);
    editor->SelectAll();
    ExpectShown(nullptr, "select all of three");
    editor->ClearSelection();
    ExpectShown(nullptr, "clear a group");
    editor->InvertSelection();
    ExpectShown(nullptr, "inverting nothing gives a group");
    editor->ClearSelection();
    ExpectShown(nullptr, "clear");
    ClickTopLeft(a);
    editor->Align(TAlignMode::Left);
    ExpectShown(nullptr, "align takes the active frame into the group");
}

TEST_F(Selecting, TabCyclesThroughFramesByTheModifiersOfItsPress)
{
    TCDLFrame *a = AddRect(-500, -500);
    TCDLFrame *b = AddRect(0, -500);
    TCDLFrame *c = AddRect(-500, 0);
    EXPECT_TRUE(editor->KeyReleased(Qt::Key_Tab, Qt::NoModifier));
    EXPECT_EQ(page->ActiveFrame(), nullptr) << "nothing happens without an active frame";

    Click(D(-300, 200));
    ExpectShown(c, "click");
    editor->KeyReleased(Qt::Key_Tab, Qt::NoModifier);
    ExpectShown(a, "forwards, wrapping to the first");
    EXPECT_EQ((std::tuple{c->State(), a->State()}), std::tuple(TFrameState::Plain, TFrameState::Selected));
    // Shift let go before Tab: the release reports plain Tab.
    editor->KeyPressed(Qt::Key_Backtab, Qt::ShiftModifier);
    editor->KeyReleased(Qt::Key_Tab, Qt::NoModifier);
    ExpectShown(c, "backwards, wrapping to the last");
    editor->KeyReleased(Qt::Key_Backtab, Qt::ShiftModifier);
    ExpectShown(b, "Shift+Tab");
    // Shift pressed only after Tab: forwards.
    editor->KeyPressed(Qt::Key_Tab, Qt::NoModifier);
    editor->KeyReleased(Qt::Key_Backtab, Qt::ShiftModifier);
    ExpectShown(c, "Tab, then Shift");
    // Ctrl+Tab belongs to the window, whenever Ctrl comes off.
    editor->KeyPressed(Qt::Key_Tab, Qt::ControlModifier);
    editor->KeyReleased(Qt::Key_Tab, Qt::NoModifier);
    editor->KeyReleased(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(page->ActiveFrame(), c);
}

TEST_F(Selecting, PointerShapeOverHandlesOfTheActiveFrame)
{
    TCDLFrame *a = AddRect(-200, -200);
    EXPECT_EQ(editor->PointerShape(H(a, 6)), TPointerShape::Default) << "no active frame";
    Click(D(0, 0));
    EXPECT_EQ(editor->PointerShape(H(a, 6)), TPointerShape::SizeAll);
    EXPECT_EQ(editor->PointerShape(D(0, 0)), TPointerShape::Default) << "the body of a box frame";
    win.tool = TTool::Text;
    EXPECT_EQ(editor->PointerShape(H(a, 6)), TPointerShape::Default);
}

TEST_F(Selecting, MovingTheShownFrameTellsItAgainAndAPlainPickOnce)
{
    TCDLFrame *a = AddRect(-500, -500);
    Click(D(-300, -300));
    ExpectShown(a, "pick");
    Click(D(-300, -300));
    ExpectQuiet("a press on the active frame that moves nothing");

    Drag(D(-300, -300), D(-200, -300));
    ExpectShown(a, "drag");
    editor->Nudge(TNudge::Left);
    ExpectShown(a, "arrow key");
    editor->MouseMove(Qt::NoButton, D(0, 0));
    ExpectQuiet("moving the pointer alone");
}

// Ids and order of restored frames are the page's business; here the
// editor's key and undo paths, what they tell and the handles afterwards.
TEST_F(Selecting, DeletingAndUndoingTellNoneBeforeTheFrameGoesAndTheRestoredFrameAfter)
{
    AddRect(-500, -500);
    TCDLFrame *b = AddRect(0, -500);
    const int32_t third = AddRect(-500, 0)->Id;
    AddRect(0, 0);
    Click(D(200, -300));
    ExpectShown(b, "click");
    EXPECT_TRUE(editor->KeyPressed(Qt::Key_Delete, Qt::NoModifier));
    ExpectShown(nullptr, "Del");
    ASSERT_TRUE(editor->Undo());
    ASSERT_EQ(page->FrameCount(), 4);
    ExpectShown(page->FrameAt(3), "undo brings back a frame of its own");

    Click(D(-300, -300));
    Click(D(200, -300), Qt::ControlModifier);
    Click(D(-300, 200), Qt::ControlModifier);
    ASSERT_TRUE(editor->KeyPressed(Qt::Key_Delete, Qt::NoModifier));
    ExpectShown(nullptr, "deleting the group");
    EXPECT_EQ((std::tuple{page->FrameCount(), page->Selection().IsEmpty(), page->Modified}), std::tuple(1, true, true));

    ASSERT_TRUE(editor->Undo());
    ExpectShown(nullptr, "the group comes back as a group");
    ASSERT_EQ(page->FrameCount(), 4);
    EXPECT_EQ((std::tuple{page->Selection().Count(), win.undoEnabled, editor->Undo()}), std::tuple(3, false, false));
    editor->ClearSelection();
    Click(D(-300, 200));
    ASSERT_NE(page->ActiveFrame(), nullptr);
    EXPECT_EQ(page->ActiveFrame()->Id, third) << "a restored frame is hit where it lies";

    // Undoing a creation frees the frame the panels were shown.
    win.tool = TTool::Ellipse;
    Click(D(300, 300));
    TCDLFrame *made = page->ActiveFrame();
    ASSERT_NE(made, nullptr);
    ExpectShown(made, "created");
    ASSERT_TRUE(editor->Undo());
    ExpectShown(nullptr, "undoing the creation");
}

TEST_F(Selecting, PastingTellsThePastedFrameOrNoneForAGroup)
{
    TCDLFrame *a = AddRect(-500, -500);
    AddRect(0, -500);
    ClickTopLeft(a);
    editor->Paste(editor->Copy());
    ASSERT_EQ(page->FrameCount(), 3);
    ExpectShown(page->FrameAt(2), "one frame pasted");

    editor->SelectAll();
    ExpectShown(nullptr, "select all");
    editor->Paste(editor->Copy());
    ExpectShown(nullptr, "a group pasted");
    EXPECT_EQ(page->Selection().Count(), 3);
}

TEST_F(Selecting, AFrameFreedWhileShownIsTakenBackEvenWhenNothingSaidItLeft)
{
    // A caller that took the active frame into the group without a word: the
    // page still takes it back from the window before freeing it.
    TCDLFrame *a = AddRect(-500, -500);
    TCDLFrame *b = AddRect(0, -500);
    ClickTopLeft(a);
    page->AddToSelection(a);
    page->AddToSelection(b);
    page->DropActive();
    page->DeleteGroup();
    ExpectShown(nullptr, "the group deleted");

    // The page's end, checked on tear-down, takes a shown frame back too.
    TCDLFrame *c = AddRect(-500, 0);
    Click(D(-300, 200));
    ExpectShown(c, "click");
}
