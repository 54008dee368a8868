// The tool bar's tools make frames through the kinds' descriptors: every
// tool its kind, the bar-code tool its preparation, a kind that asks the
// person only when answered, and the new frame takes the text input only
// where its kind says so.

#include "Tools.h"
#include "EditorFixture.h"
#include "FrameRegistry.h"
#include "Settings.h"
#include "Text.h"

TEST(Tools, EachToolMakesItsKindOrNothing)
{
    for (int i = 0; i < ToolCount; ++i) {
        const TTool t = TTool(i);
        SCOPED_TRACE(i);
        const TFrameKind *k = FindKindByTool(t);
        const auto f = CreateToolFrame(t, nullptr, 30, -40);
        EXPECT_EQ(ToolAvailable(t), t == TTool::Edit || k);
        if (!k) {
            EXPECT_EQ(f, nullptr);
            continue;
        }
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(&f->Kind(), k);
        EXPECT_EQ(QPoint(f->X, f->Y), QPoint(30, -40));
    }
    const auto text = CreateToolFrame(TTool::Text, nullptr, 0, 0);
    const auto code = CreateToolFrame(TTool::Barcode, nullptr, 0, 0);
    EXPECT_FALSE(static_cast<TCDLText &>(*text).Barcode);
    EXPECT_TRUE(static_cast<TCDLText &>(*code).Barcode);
    EXPECT_EQ(static_cast<TCDLText &>(*code).FontName, AppSettings().BarcodeFont.left(40));
}

TEST_F(EditorTest, NewTextRoundTextAndSerialNumberFramesTakeTheirPanelInput)
{
    struct TCase
    {
        TTool Tool;
        bool Focus;
    };
    for (const TCase c : {TCase{TTool::Text, true}, TCase{TTool::Barcode, true}, TCase{TTool::RoundText, true},
                          TCase{TTool::SerialNumber, true}, TCase{TTool::Rectangle, false}, TCase{TTool::Line, false},
                          TCase{TTool::Circle, false}, TCase{TTool::Ellipse, false}}) {
        SCOPED_TRACE(int(c.Tool));
        win.focused.clear();
        win.tool = c.Tool;
        Click(D(0, 0));
        ASSERT_NE(page->ActiveFrame(), nullptr);
        EXPECT_EQ(win.focused, c.Focus ? std::vector<TCDLFrame *>{page->ActiveFrame()} : std::vector<TCDLFrame *>{});
    }
}

// A cancel makes nothing and leaves no undo step, also when the dialog took
// the focus (which ends drags) while it asked; an answer puts the frame on
// the page with its creation snapshot.
TEST_F(EditorTest, AToolThatAsksMakesItsFrameOnlyWhenAnswered)
{
    static TPageEditor *asking;
    static bool answer;
    asking = editor.get();
    const TKindTool asks{TTool::Rectangle, nullptr, [](TCDLFrame &f, TCreationHost &) {
                             EXPECT_EQ(f.Width, 400) << "asked once the frame has its size";
                             asking->CancelDrag();
                             return answer;
                         }};
    for (const bool a : {false, true}) {
        answer = a;
        win.tool = TTool::Rectangle;
        editor->MouseDown(Qt::LeftButton, Qt::NoModifier, D(0, 0));
        editor->CreatingTool = &asks;
        editor->MouseUp(Qt::LeftButton, D(0, 0));
        EXPECT_EQ(page->FrameCount(), int(a));
        EXPECT_EQ(Snapshots(), int(a));
        EXPECT_EQ(page->ActiveFrame(), a ? page->FrameAt(0) : nullptr);
        EXPECT_EQ(win.tool, TTool::Edit);
    }
}
