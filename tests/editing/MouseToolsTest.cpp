// Creating with every tool, moving and sizing with the mouse, nudging with
// the keys: the frames' resulting fields, the undo snapshots each edit takes
// and undoes, and when the page counts as modified.

#include "EditorFixture.h"
#include "FrameRegistry.h"
#include "Imaging.h"
#include "Settings.h"
#include "Strings.h"
#include "Text.h"
#include "Tools.h"

#include <QImage>
#include <QPainter>

// The factory: every tool its kind, the bar-code tool its preparation.
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
        EXPECT_EQ((std::tuple{&f->Kind(), QPoint(f->X, f->Y)}), std::tuple(k, QPoint(30, -40)));
    }
    const auto text = CreateToolFrame(TTool::Text, nullptr, 0, 0);
    const auto code = CreateToolFrame(TTool::Barcode, nullptr, 0, 0);
    EXPECT_EQ((std::tuple{static_cast<TCDLText &>(*text).Barcode, static_cast<TCDLText &>(*code).Barcode,
                          static_cast<TCDLText &>(*code).FontName}),
              std::tuple(false, true, AppSettings().BarcodeFont.left(40)));
}

// What a click with each tool leaves must be seen and grabbed: painted
// pixels, not only fields. Circle and round text keep the page centre as
// their centre and take the click as their rim.
TEST_F(EditorTest, ClickWithEveryToolLeavesAVisibleFrameOfItsDefaultSize)
{
    page->ShowSnapPoints = false;
    auto paint = [&] {
        QImage img(editor->ControlSize(), QImage::Format_RGB32);
        img.fill(Qt::gray);
        QPainter p(&img);
        page->PaintScreen(p, img.size());
        return img;
    };
    const QImage empty = paint();
    for (int t = 1; t < ToolCount; ++t) {
        const TTool tool = TTool(t);
        const TKindTool *use = nullptr;
        // A kind that asks first (a picture file) is tested with its answers.
        if (!ToolAvailable(tool) || (FindKindByTool(tool, &use) && use->Ask))
            continue;
        for (const QPoint at : {QPoint(-300, -250), QPoint(0, 0)}) {
            SCOPED_TRACE(testing::Message() << "tool " << t << " at " << at.x());
            win.focused.clear();
            win.tool = tool;
            const QPoint p = D(at.x(), at.y());
            const QPoint m = editor->ModelOf(p);
            Click(p);
            ASSERT_EQ(page->FrameCount(), 1);
            TCDLFrame *f = page->FrameAt(0);
            EXPECT_EQ(
                (std::tuple{&f->Kind(), page->ActiveFrame(), f->State(), page->Modified, win.undoEnabled, win.tool}),
                std::tuple(FindKindByTool(tool), f, TFrameState::Selected, true, true, TTool::Edit));
            // A new text of any kind takes what is typed at once.
            const bool typed = tool == TTool::Text || tool == TTool::Barcode || tool == TTool::RoundText
                               || tool == TTool::SerialNumber;
            EXPECT_EQ(win.focused, typed ? std::vector<TCDLFrame *>{f} : std::vector<TCDLFrame *>{});
            const TRect r = f->GetBoundRect();
            switch (tool) {
            case TTool::Line: EXPECT_EQ(QPoint(f->X2, f->Y2), m + QPoint(400, 0)); break;
            case TTool::Circle:
            case TTool::RoundText:
                EXPECT_EQ(QPoint(f->X2, f->Y2), QPoint(0, 0));
                if (tool == TTool::Circle) {
                    EXPECT_GE(r.Right - r.Left, m == QPoint() ? 400 : 2 * std::abs(m.x()));
                }
                break;
            default: EXPECT_EQ(QPoint(f->Width, f->Height), QPoint(400, 400)); EXPECT_EQ(QPoint(f->X, f->Y), m);
            }
            editor->ClearSelection();
            const QImage img = paint();
            int changed = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    changed += img.pixel(x, y) != empty.pixel(x, y);
            EXPECT_GT(changed, 100) << "nothing to see";
            // And it can be picked again: on its end or rim, or inside.
            Click(f->DragPointCount == 2
                      ? page->ScreenGeometry(*f).DragPoints[2]
                      : (page->ScreenGeometry(*f).DragPoints[1] + page->ScreenGeometry(*f).DragPoints[3]) / 2);
            EXPECT_EQ(page->ActiveFrame(), f);

            // Undoing the creation deletes it; nothing points at it any more.
            EXPECT_EQ((std::tuple{editor->Undo(), page->FrameCount(), page->ActiveFrame(), win.panels.back(),
                                  win.undoEnabled}),
                      std::tuple(true, 0, nullptr, nullptr, false));
        }
    }
}

TEST_F(EditorTest, DragWithDrawingToolSizesTheFrame)
{
    win.tool = TTool::Barcode;
    const QPoint from = D(-300, -200), to = D(100, 0);
    Drag(from, to);
    ASSERT_EQ(page->FrameCount(), 1);
    TCDLFrame *f = page->FrameAt(0);
    const QPoint a = editor->ModelOf(from), b = editor->ModelOf(to);
    EXPECT_EQ((std::tuple{f->Width, f->Height}), std::tuple(b.x() - a.x(), b.y() - a.y()));
    ASSERT_EQ(f->TypeTag(), TagText);
    EXPECT_TRUE(static_cast<TCDLText *>(f)->Barcode);

    // A picture whose file the person does not pick makes nothing and leaves
    // nothing behind.
    win.tool = TTool::Picture;
    Click(D(300, 300));
    EXPECT_EQ(page->FrameCount(), 1);
    // Nor does a scan too large to keep, and the person is told.
    win.asker.Scan = QImage(Imaging::MaxSide + 1, 2, QImage::Format_Grayscale8);
    win.asker.Scan.fill(0);
    win.tool = TTool::ScannedPicture;
    Click(D(300, 300));
    EXPECT_EQ((std::tuple{page->FrameCount(), win.warning}), std::tuple(1, GetText(566)));
}

TEST_F(EditorTest, PickingTakesNoSnapshotAPressOnTheActiveFrameOneAndAMoveOne)
{
    TCDLFrame *f = AddRect(-200, -200);
    const QPoint p = D(0, 0);
    Click(p);
    EXPECT_EQ((std::tuple{page->ActiveFrame(), Snapshots(), page->Modified}), std::tuple(f, 0, false));

    // A press on the active frame's body takes its snapshot at once; a
    // release without a move gives it back.
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, p);
    EXPECT_EQ((std::tuple{Snapshots(), f->State()}), std::tuple(1, TFrameState::Moving));
    editor->MouseUp(Qt::LeftButton, p);
    EXPECT_EQ((std::tuple{Snapshots(), page->Modified}), std::tuple(0, false)) << "a press that did not move";
    EXPECT_EQ(f->State(), TFrameState::Selected);

    // A fresh pick that moves: one snapshot, taken at the first step.
    editor->SelectAll();
    editor->ClearSelection();
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, p);
    editor->MouseMove(Qt::LeftButton, p + QPoint(10, 0));
    EXPECT_EQ(Snapshots(), 1);
    editor->MouseMove(Qt::LeftButton, p + QPoint(20, 5));
    editor->MouseUp(Qt::LeftButton, p + QPoint(20, 5));
    EXPECT_EQ((std::tuple{Snapshots(), page->Modified}), std::tuple(1, true));
    const QPoint grab = editor->ModelOf(p) - QPoint(-200, -200);
    EXPECT_EQ(QPoint(f->X, f->Y), editor->ModelOf(p + QPoint(20, 5)) - grab);
    EXPECT_EQ(f->State(), TFrameState::Selected);

    // Undo puts it back and leaves it the active frame, not a group member.
    editor->Undo();
    EXPECT_EQ((std::tuple{QPoint(f->X, f->Y), page->ActiveFrame(), page->Selection().IsEmpty()}),
              std::tuple(QPoint(-200, -200), f, true));
}

TEST_F(EditorTest, HandleDragsFollowTheKindsRulesAndUndoRestoresSize)
{
    TCDLFrame *f = AddRect(-200, -200);
    Click(D(0, 0));
    // Right handle: wider, origin kept.
    Drag(H(f, 6), H(f, 6) + QPoint(50, 0));
    EXPECT_GT(f->Width, 400);
    EXPECT_EQ((std::tuple{f->Height, QPoint(f->X, f->Y), f->State(), page->Modified}),
              std::tuple(400, QPoint(-200, -200), TFrameState::Selected, true));
    const int wider = f->Width;

    // Top-left corner: proportional, bottom-right corner stays.
    Drag(H(f, 1), H(f, 1) + QPoint(40, 40));
    EXPECT_LT(f->Width, wider);
    EXPECT_EQ((std::tuple{f->X + f->Width, f->Y + f->Height}), std::tuple(-200 + wider, 200));

    editor->Undo();
    EXPECT_EQ((std::tuple{f->Width, QPoint(f->X, f->Y)}), std::tuple(wider, QPoint(-200, -200)));
    editor->Undo();
    EXPECT_EQ(f->Width, 400);
}

TEST_F(EditorTest, GroupMoveKeepsToThePointerAtEveryZoom)
{
    TCDLFrame *a = AddRect(-400, -400, 100, 100);
    TCDLFrame *b = AddRect(100, 100, 100, 100);
    for (int level : {4, 7}) {
        page->Context.SetZoomLevel(level);
        editor->SelectAll();
        const QPoint ax(a->X, a->Y), bx(b->X, b->Y);
        const QPoint from = D(a->X + 50, a->Y + 50), to = from + QPoint(33, 17);
        Drag(from, to, 11);
        const QPoint d = editor->ModelOf(to) - editor->ModelOf(from);
        EXPECT_EQ(QPoint(a->X, a->Y), ax + d) << "zoom level " << level;
        EXPECT_EQ(QPoint(b->X, b->Y), bx + d) << "zoom level " << level;
        EXPECT_EQ((std::tuple{a->State(), page->Modified}), std::tuple(TFrameState::Selected, true));
        // One snapshot of the whole group, undone as one.
        editor->Undo();
        EXPECT_EQ((std::tuple{QPoint(a->X, a->Y), QPoint(b->X, b->Y), page->Selection().Count()}),
                  std::tuple(ax, bx, 2));
    }
    // With the grid on it moves by whole cells as the pointer crosses them,
    // never back against the pointer at the first step.
    page->SnapEnabled = true;
    const QPoint ax(a->X, a->Y);
    const QPoint from = D(a->X + 57, a->Y + 57), to = D(a->X + 137, a->Y + 137);
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, from);
    editor->MouseMove(Qt::LeftButton, from + QPoint(1, 1));
    EXPECT_EQ(QPoint(a->X, a->Y), ax);
    editor->MouseMove(Qt::LeftButton, to);
    editor->MouseUp(Qt::LeftButton, to);
    EXPECT_EQ(QPoint(a->X, a->Y), ax + QPoint(80, 80));
}

TEST_F(EditorTest, GridSnapPutsMovedFrameOnGridAndPointerTextSteps)
{
    page->SnapEnabled = true;
    TCDLFrame *f = AddRect(-200, -200);
    Click(D(0, 0));
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, D(0, 0));
    for (int x : {13, 57, 101, -87}) {
        editor->MouseMove(Qt::LeftButton, D(x, x + 29));
        EXPECT_EQ((std::tuple{f->X % 40, f->Y % 40}), std::tuple(0, 0)) << x;
    }
    editor->MouseUp(Qt::LeftButton, D(-87, -58));
    // Floor, so -87 lies in the cell from -120 and -58 in the one from -80;
    // shown from the inlay's top-left corner (-599, -605).
    EXPECT_EQ(win.pointer, QStringLiteral("X:47,9  Y:52,5"));

    // Relative to the ruler origin.
    page->SnapEnabled = false;
    page->Origin = QPoint(100, 100);
    const QPoint p = D(140, 100);
    const QPoint m = editor->ModelOf(p);
    editor->MouseMove(Qt::NoButton, p);
    EXPECT_EQ(win.pointer,
              QStringLiteral("X:") + FormatLength(m.x() - 100) + QStringLiteral("  Y:") + FormatLength(m.y() - 100));
}

TEST_F(EditorTest, TypedCharactersGoToTheActiveFrame)
{
    struct TTyped : TCDLRechteck
    {
        using TCDLRechteck::TCDLRechteck;
        QString typed;
        bool HandleKey(int key) override
        {
            typed += QChar(key);
            return true;
        }
    };
    TTyped *raw = Put(*page, std::make_unique<TTyped>(page.get(), -100, -100));
    raw->SetDefaults();
    editor->KeyChar('a');
    EXPECT_FALSE(page->Modified) << "no active frame";
    Click(D(0, 0));
    editor->KeyChar('a');
    editor->KeyChar(8);
    editor->KeyChar('b');
    EXPECT_EQ(raw->typed, QStringLiteral("ab")) << "control characters are not typed";
    EXPECT_TRUE(page->Modified);
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
        EXPECT_EQ((std::tuple{page->FrameCount(), Snapshots(), page->ActiveFrame(), win.tool}),
                  std::tuple(int(a), int(a), a ? page->FrameAt(0) : nullptr, TTool::Edit));
    }
}
