// Redo of what undo took back, through the editor and the page's undo: the
// order of several steps, what a new change clears and what leaves it, and
// arrow-key nudges as one undo step per run.

#include "Clipboard.h"
#include "DocumentJson.h"
#include "EditorFixture.h"
#include "Shapes.h"

#include <QJsonDocument>

namespace {

// The page as the JSON dump shows it: every frame's fields in z-order.
std::string Dump(const TCDLPage &p)
{
    return QJsonDocument(PageToJson(p)).toJson(QJsonDocument::Compact).toStdString();
}

// A box whose undo keeps only its place and size, as a kind that keeps a
// picture out of its property record.
class TBoxPlace : public TCDLRechteck
{
public:
    using TCDLRechteck::TCDLRechteck;
    static constexpr TPropertyRecord Record{TagBildProperties, 4};
    static const TFrameKind Descriptor;
    const TFrameKind &Kind() const override { return Descriptor; }
};
const TFrameKind TBoxPlace::Descriptor = {
    TagBild, "TBoxPlace", nullptr, {}, {}, TTextFocus::None, TSnapRule::Box, &Record,
};

} // namespace

class RedoTest : public EditorTest
{
protected:
    void Key(int key, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        editor->KeyPressed(key, m);
        editor->KeyReleased(key, m);
    }
    // Undo once, so that there is something to redo.
    void UndoOnce() { ASSERT_TRUE(editor->Undo() && page->Undo.CanRedo() && win.redoEnabled); }
};

TEST_F(RedoTest, RedoReappliesWhatUndoTookBackInOrder)
{
    AddRect(-500, -500, 200, 200);
    TCDLFrame *top = AddRect(300, 300, 200, 200);
    std::vector<std::string> states{Dump(*page)};
    // Creation, move, size, z-order, deletion: five kinds, five steps.
    win.tool = TTool::Ellipse;
    Click(D(-100, -100));
    TCDLFrame *e = page->ActiveFrame();
    ASSERT_NE(e, nullptr);
    states.push_back(Dump(*page));
    Drag(D(0, 0), D(0, 0) + QPoint(30, 12));
    states.push_back(Dump(*page));
    Drag(page->ScreenGeometry(*e).DragPoints[6], page->ScreenGeometry(*e).DragPoints[6] + QPoint(25, 0));
    states.push_back(Dump(*page));
    page->ToBack();
    states.push_back(Dump(*page));
    editor->ClearSelection();
    Click(D(top->X + 100, top->Y + 100));
    ASSERT_EQ(page->ActiveFrame(), top);
    editor->DeleteSelected();
    states.push_back(Dump(*page));
    ASSERT_EQ(Snapshots(), 5);
    EXPECT_EQ((std::tuple{page->Undo.CanRedo(), editor->Redo()}), std::tuple(false, false));

    for (int i = 4; i >= 0; --i) {
        ASSERT_TRUE(editor->Undo());
        EXPECT_EQ(Dump(*page), states[size_t(i)]) << "undo back to state " << i;
    }
    EXPECT_EQ((std::tuple{win.undoEnabled, win.redoEnabled}), std::tuple(false, true));
    for (size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(editor->Redo());
        EXPECT_EQ(Dump(*page), states[i]) << "redo to state " << i;
        EXPECT_TRUE(win.undoEnabled);
    }
    EXPECT_EQ((std::tuple{win.redoEnabled, editor->Redo(), page->Modified}), std::tuple(false, false, true));

    // The redone steps undo again, as often as one likes.
    for (int i = 4; i >= 0; --i) {
        ASSERT_TRUE(editor->Undo());
        EXPECT_EQ(Dump(*page), states[size_t(i)]) << "second undo back to state " << i;
    }
    ASSERT_TRUE(editor->Redo());
    EXPECT_EQ(Dump(*page), states[1]);
    EXPECT_EQ(page->ActiveFrame(), page->FrameAt(2)) << "a redone creation is selected like an undone deletion";
}

TEST_F(RedoTest, RedoOfPropertiesZOrderAndPasteRestoresFramesAndTheirIds)
{
    TCDLFrame *a = AddRect(-500, -500, 200, 200);
    AddRect(300, 300, 200, 200);
    const int32_t aId = a->Id;
    // A property change as the panels record it: the snapshot, then the change.
    page->Undo.Record(a, nullptr, TUndoKind::Properties);
    a->PenColor = 0x0000FF;
    a->NoFill = false;
    page->Activate(a);
    page->OneStepForward();
    page->DropActive();
    editor->SelectAll();
    PasteIntoPage(*page, CopyFromPage(*page));
    ASSERT_EQ(page->FrameCount(), 4);
    const std::string done = Dump(*page);

    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(editor->Undo());
    EXPECT_EQ((std::tuple{page->FrameCount(), page->FrameAt(0), a->PenColor}), std::tuple(2, a, 0u));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(editor->Redo());
    EXPECT_EQ((std::tuple{Dump(*page), page->FrameAt(1)->Id}), std::tuple(done, aId));
    EXPECT_EQ(page->Selection().Count(), 2) << "the pasted pair is selected again";
    // Ids tie later snapshots to the re-created frames.
    const int32_t pastedId = page->FrameAt(3)->Id;
    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(page->FrameCount(), 2);
    ASSERT_TRUE(editor->Redo());
    EXPECT_EQ(page->FrameAt(3)->Id, pastedId);
}

TEST_F(RedoTest, AKindsOwnPropertyRecordIsWhatUndoAndRedoExchange)
{
    auto box = std::make_unique<TBoxPlace>(page.get(), 10, 20);
    TCDLFrame *f = box.get();
    page->AddFrame(std::move(box));
    page->Undo.Record(f, nullptr, TUndoKind::Properties);
    const QByteArray &snapshot = *page->Undo.Snapshots.Last();
    EXPECT_EQ(snapshot.size(), 8 + 12 + 8 + 16) << "head, entry head, record head, four fields";
    EXPECT_EQ(snapshot.mid(20, 4).toHex(), "beba1500");
    f->X = 99;
    f->PenColor = 0x0000FF;
    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(f->X, 10);
    EXPECT_EQ(f->PenColor, 0x0000FFu) << "outside the record";
    ASSERT_TRUE(editor->Redo());
    EXPECT_EQ(f->X, 99);
}

TEST_F(RedoTest, EveryNewChangeClearsRedo)
{
    TCDLFrame *f = AddRect(-200, -200);
    AddRect(300, 300, 100, 100);
    const QPoint inF = D(0, 0);
    auto change = [&](const char *what, auto &&edit) {
        Click(inF);
        Drag(inF, inF + QPoint(10, 0));
        UndoOnce();
        edit();
        EXPECT_EQ((std::tuple{page->Undo.CanRedo(), win.redoEnabled, editor->Redo()}), std::tuple(false, false, false))
            << what;
    };
    change("a nudge", [&] { Key(Qt::Key_Right); });
    change("a property change", [&] {
        page->Undo.Record(f, nullptr, TUndoKind::Properties);
        f->PenColor = 0xFF;
    });
    change("a move", [&] { Drag(inF, inF + QPoint(0, 10)); });
    change("a handle drag", [&] {
        Drag(page->ScreenGeometry(*f).DragPoints[6], page->ScreenGeometry(*f).DragPoints[6] + QPoint(8, 0));
    });
    change("a creation", [&] {
        win.tool = TTool::Line;
        Click(D(-500, 400));
    });
    change("a paste", [&] { PasteIntoPage(*page, CopyFromPage(*page)); });
    change("a z-order change", [&] { page->ToBack(); });
    change("a delete", [&] { editor->DeleteSelected(); });
}

TEST_F(RedoTest, PressesThatChangeNothingKeepUndoAndRedo)
{
    TCDLFrame *f = AddRect(-200, -200);
    AddRect(300, 300, 100, 100);
    Click(D(0, 0));
    // Four runs of nudges, of each frame in turn, and a move: five changes.
    for (int i = 0; i < 4; ++i)
        Key(Qt::Key_Left), Key(Qt::Key_Tab);
    const std::string nudged = Dump(*page);
    Drag(D(0, 0), D(0, 0) + QPoint(20, 0));
    const QPoint moved(f->X, f->Y);
    UndoOnce();

    Click(D(0, 0)); // on the active frame: a snapshot, no change
    Click(page->ScreenGeometry(*f).DragPoints[6]);
    Click(D(350, 350)); // picks another frame
    Click(D(0, 0), Qt::ControlModifier);
    editor->MouseMove(Qt::NoButton, D(100, 100));
    editor->SelectAll();
    Click(D(0, 0)); // on the group
    editor->ClearSelection();
    // A creation given up half-way leaves nothing behind.
    win.tool = TTool::Rectangle;
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, D(-500, 400));
    editor->DeleteSelected();
    editor->MouseUp(Qt::LeftButton, D(-500, 400));
    EXPECT_EQ((std::tuple{page->Undo.CanRedo(), win.redoEnabled}), std::tuple(true, true));
    ASSERT_TRUE(editor->Redo());
    EXPECT_EQ((std::tuple{QPoint(f->X, f->Y), page->ActiveFrame()}), std::tuple(moved, f));

    // Nor do they push a change out of a full history: the five before the
    // presses are all still there.
    win.tool = TTool::Edit;
    Click(D(0, 0));
    Click(page->ScreenGeometry(*f).DragPoints[6]);
    EXPECT_EQ(Snapshots(), 5);
    editor->Undo();
    EXPECT_EQ(Dump(*page), nudged);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(editor->Undo());
    EXPECT_EQ((std::tuple{QPoint(f->X, f->Y), editor->Undo()}), std::tuple(QPoint(-200, -200), false));
}

TEST_F(RedoTest, ARunOfNudgesIsOneUndoStep)
{
    TCDLFrame *f = AddRect(0, 0);
    TCDLFrame *g = AddRect(500, 500, 50, 50);
    Click(D(100, 100));
    ASSERT_EQ(page->ActiveFrame(), f);
    for (int key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Down, Qt::Key_Left})
        Key(key);
    EXPECT_EQ((std::tuple{QPoint(f->X, f->Y), Snapshots(), page->Modified}), std::tuple(QPoint(-120, 40), 1, true));
    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ((std::tuple{QPoint(f->X, f->Y), page->ActiveFrame()}), std::tuple(QPoint(0, 0), f));
    ASSERT_TRUE(editor->Redo());
    EXPECT_EQ(QPoint(f->X, f->Y), QPoint(-120, 40));

    // Whatever comes between two nudges makes them two steps.
    const std::pair<const char *, std::function<void()>> breaks[] = {
        {"another key", [&] { editor->KeyPressed(Qt::Key_F5, Qt::NoModifier); }},
        {"a typed character", [&] { editor->KeyChar('x'); }},
        {"a click", [&] { Click(D(f->X + 100, f->Y + 100)); }},
        {"a command", [&] { editor->EndNudgeRun(); }},
        {"an undo and a redo",
         [&] {
             editor->Undo();
             editor->Redo();
         }},
        {"another frame", [&] { page->Activate(g); }},
    };
    for (const auto &[what, between] : breaks) {
        page->Activate(f);
        Key(Qt::Key_Right);
        const QPoint before(f->X, f->Y);
        between();
        const int snapshots = Snapshots();
        TCDLFrame *target = page->ActiveFrame();
        const QPoint start(target->X, target->Y);
        Key(Qt::Key_Up);
        Key(Qt::Key_Up);
        EXPECT_EQ(Snapshots(), std::min(snapshots + 1, 5)) << what;
        ASSERT_TRUE(editor->Undo()) << what;
        EXPECT_EQ(QPoint(target->X, target->Y), start) << what << ": only the run after it is undone";
        EXPECT_EQ(QPoint(f->X, f->Y), target == f ? start : before) << what;
    }
    // Modifier keys alone are no other key.
    page->Activate(f);
    Key(Qt::Key_Right);
    const int before = Snapshots();
    editor->KeyPressed(Qt::Key_Shift, Qt::ShiftModifier);
    Key(Qt::Key_Right);
    editor->KeyReleased(Qt::Key_Shift, Qt::NoModifier);
    Key(Qt::Key_Right);
    EXPECT_EQ(Snapshots(), before);
    // With the grid on, the step is the grid's.
    page->SnapEnabled = true;
    page->SnapX = 25;
    page->SnapY = 30;
    const QPoint at(f->X, f->Y);
    Key(Qt::Key_Right);
    Key(Qt::Key_Up);
    EXPECT_EQ(QPoint(f->X, f->Y), at + QPoint(25, -30));
    // At the ends of the coordinate range a frame, alone or in a group, stops.
    f->X = INT32_MAX - 10;
    f->Y = INT32_MIN + 10;
    Key(Qt::Key_Right);
    Key(Qt::Key_Up);
    EXPECT_EQ(QPoint(f->X, f->Y), QPoint(INT32_MAX, INT32_MIN));
    editor->SelectAll();
    Key(Qt::Key_Right);
    Key(Qt::Key_Up);
    EXPECT_EQ(QPoint(f->X, f->Y), QPoint(INT32_MAX, INT32_MIN));
    // A nudged line moves whole, both points by the grid step, and stores
    // their offset.
    TCDLFrame *line = Put(*page, Make<TCDLLinie>(page.get(), 0, 0, 0, 0));
    line->X2 = 100;
    line->Y2 = 50;
    page->Activate(line);
    Key(Qt::Key_Right);
    EXPECT_EQ((std::tuple{line->X, line->X2, line->Width, line->Height}), std::tuple(25, 125, 100, 50));
}

TEST_F(RedoTest, AGroupNudgedSeveralTimesComesBackInOneUndo)
{
    TCDLFrame *a = AddRect(-400, -400, 100, 100);
    TCDLFrame *b = AddRect(100, 100, 100, 100);
    page->Context.SetZoomLevel(2); // the step is the model's at any zoom
    editor->SelectAll();
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Down);
    EXPECT_EQ((std::tuple{a->Y, b->Y, Snapshots()}), std::tuple(-280, 220, 1));
    // Another member makes another group and another run.
    AddRect(-400, 300, 100, 100);
    editor->SelectAll();
    Key(Qt::Key_Down);
    EXPECT_EQ(Snapshots(), 2);
    ASSERT_TRUE(editor->Undo() && editor->Undo());
    EXPECT_EQ((std::tuple{QPoint(a->X, a->Y), QPoint(b->X, b->Y), page->Selection().Count()}),
              std::tuple(QPoint(-400, -400), QPoint(100, 100), 2));
}
