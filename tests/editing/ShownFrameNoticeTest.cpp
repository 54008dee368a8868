// The one notice of the active frame and the selection: every change tells
// the window the frame shown now (none for nothing or a group), and no
// window is left holding a frame that the page has freed.

#include "EditorFixture.h"

#include <memory>

namespace {

// A rectangle that counts, as it is freed, whether the window still held it.
struct TWatchedRect : TCDLRechteck
{
    TWatchedRect(TCDLPage *page, int x, int y, const TRecordingWindow &w, std::shared_ptr<int> heldAtFree)
        : TCDLRechteck(page, x, y), m_window(w), m_heldAtFree(std::move(heldAtFree))
    {
        Width = Height = 400;
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

class ShownFrameNotice : public EditorTest
{
protected:
    TCDLFrame *AddWatched(int x, int y)
    {
        auto f = std::make_unique<TWatchedRect>(page.get(), x, y, win, heldAtFree);
        TCDLFrame *raw = f.get();
        page->AddFrame(std::move(f));
        editor->Layout();
        return raw;
    }
    // Since the last check at least one notice came, the last carried
    // `expected`, and that is what the page has active.
    void ExpectShown(const TCDLFrame *expected, const char *what)
    {
        ASSERT_GT(win.panels.size(), m_seen) << what << ": no notice";
        EXPECT_EQ(win.panels.back(), expected) << what;
        EXPECT_EQ(page->ActiveFrame(), expected) << what;
        m_seen = win.panels.size();
    }
    void ExpectQuiet(const char *what) { EXPECT_EQ(win.panels.size(), m_seen) << what; }

    // Shared with the frames: they may be freed after this fixture's members.
    std::shared_ptr<int> heldAtFree = std::make_shared<int>(0);

private:
    size_t m_seen = 0;
};

} // namespace

TEST_F(ShownFrameNotice, SelectingTabAndSelectAllTellTheFrameOrNoneForAGroup)
{
    TCDLFrame *a = AddWatched(-500, -500);
    TCDLFrame *b = AddWatched(0, -500);
    TCDLFrame *c = AddWatched(-500, 0);

    Click(D(-300, -300));
    ExpectShown(a, "click");
    Click(D(200, -300), Qt::ControlModifier);
    ExpectShown(nullptr, "ctrl-click makes a group");
    Click(D(-300, -300), Qt::ControlModifier);
    ExpectShown(b, "the one left of the group");
    Click(D(450, 450));
    ExpectShown(nullptr, "click on empty paper");

    Drag(D(-600, -600), D(-50, 450));
    ExpectShown(nullptr, "band around two");
    EXPECT_EQ(page->Selection().Items(), (std::vector<TCDLFrame *>{a, c}));
    Drag(D(-50, -600), D(450, -100));
    ExpectShown(b, "band around one");

    editor->KeyReleased(Qt::Key_Tab, Qt::NoModifier);
    ExpectShown(c, "Tab");
    editor->KeyReleased(Qt::Key_Backtab, Qt::ShiftModifier);
    ExpectShown(b, "Shift+Tab");

    editor->SelectAll();
    ExpectShown(nullptr, "select all of three");
    editor->ClearSelection();
    ExpectShown(nullptr, "clear");
    editor->InvertSelection();
    ExpectShown(nullptr, "inverting nothing gives a group");

    // The active frame joining the group for align leaves nothing shown.
    editor->ClearSelection();
    ExpectShown(nullptr, "clear");
    Click(D(-300, -300));
    ExpectShown(a, "click");
    editor->Align(TAlignMode::Left);
    ExpectShown(nullptr, "align takes the active frame into the group");
    EXPECT_EQ(*heldAtFree, 0);
}

TEST_F(ShownFrameNotice, MovingTheShownFrameTellsItAgainAndAPlainPickOnce)
{
    TCDLFrame *a = AddWatched(-500, -500);
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

TEST_F(ShownFrameNotice, DeletingAndUndoingTellNoneBeforeTheFrameGoesAndTheRestoredFrameAfter)
{
    AddWatched(-500, -500);
    TCDLFrame *b = AddWatched(0, -500);
    Click(D(200, -300));
    ExpectShown(b, "click");
    EXPECT_TRUE(editor->KeyPressed(Qt::Key_Delete, Qt::NoModifier));
    ExpectShown(nullptr, "Del");
    EXPECT_EQ(*heldAtFree, 0);

    ASSERT_TRUE(editor->Undo());
    ASSERT_EQ(page->FrameCount(), 2);
    ExpectShown(page->FrameAt(1), "undo brings back a frame of its own");

    editor->SelectAll();
    ExpectShown(nullptr, "select all");
    editor->DeleteSelected();
    ExpectShown(nullptr, "deleting the group");
    EXPECT_EQ(page->FrameCount(), 0);

    ASSERT_TRUE(editor->Undo());
    ExpectShown(nullptr, "the group comes back as a group");
    EXPECT_EQ(page->Selection().Count(), 2);

    // Undoing a creation frees the frame the panels were shown.
    win.tool = TTool::Ellipse;
    Click(D(300, 300));
    TCDLFrame *made = page->ActiveFrame();
    ASSERT_NE(made, nullptr);
    ExpectShown(made, "created");
    ASSERT_TRUE(editor->Undo());
    ExpectShown(nullptr, "undoing the creation");
}

TEST_F(ShownFrameNotice, PastingTellsThePastedFrameOrNoneForAGroup)
{
    TCDLFrame *a = AddWatched(-500, -500);
    AddWatched(0, -500);
    Click(D(-300, -300));
    ExpectShown(a, "click");
    editor->Paste(editor->Copy());
    ASSERT_EQ(page->FrameCount(), 3);
    ExpectShown(page->FrameAt(2), "one frame pasted");

    editor->SelectAll();
    ExpectShown(nullptr, "select all");
    editor->Paste(editor->Copy());
    ExpectShown(nullptr, "a group pasted");
    EXPECT_EQ(page->Selection().Count(), 3);
}

TEST_F(ShownFrameNotice, AFrameFreedWhileShownIsTakenBackEvenWhenNothingSaidItLeft)
{
    // A caller that took the active frame into the group without a word: the
    // page still takes it back from the window before freeing it.
    TCDLFrame *a = AddWatched(-500, -500);
    TCDLFrame *b = AddWatched(0, -500);
    Click(D(-300, -300));
    ExpectShown(a, "click");
    page->AddToSelection(a);
    page->AddToSelection(b);
    page->DropActive();
    page->DeleteGroup();
    ExpectShown(nullptr, "the group deleted");
    EXPECT_EQ(*heldAtFree, 0);

    TCDLFrame *c = AddWatched(-500, 0);
    Click(D(-300, 200));
    ExpectShown(c, "click");
    editor.reset();
    page.reset();
    EXPECT_EQ(win.panels.back(), nullptr) << "the page's end tells none";
    EXPECT_EQ(*heldAtFree, 0);
}
