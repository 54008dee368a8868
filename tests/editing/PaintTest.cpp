// What the person sees while editing: the cached background of a drag, the
// paint order of grid and frames, and a drag that other contexts paint the
// page in the middle of.

#include "DragCache.h"
#include "EditorFixture.h"
#include "PageRenderer.h"
#include "RoundText.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace {

const QColor Red(255, 0, 0), Blue(0, 0, 255), Background(200, 200, 200);

QImage Blank(QSize s)
{
    QImage img(s, QImage::Format_ARGB32_Premultiplied);
    img.fill(Background);
    return img;
}

} // namespace

class PaintTest : public EditorTest
{
protected:
    TCDLFrame *Filled(int x, int y, QColor c)
    {
        TCDLFrame *f = AddRect(x, y, 200, 200);
        f->NoFill = false;
        f->FillColor = FromQColor(c);
        f->PenColor = f->FillColor;
        return f;
    }
    QImage Cached()
    {
        QImage img = Blank(editor->ControlSize());
        QPainter p(&img);
        cache.Paint(p, *page, img.size(), editor->DraggedFrames(), Background);
        p.end();
        return img;
    }
    QColor At(const QImage &img, int mx, int my) { return img.pixelColor(page->Context.Map(mx, my)); }

    TDragCache cache;
};

TEST_F(PaintTest, DragShowsStillFramesFromCacheAndOnlyTheOutlineOfTheMovedOne)
{
    page->ShowSnapPoints = false;
    Filled(-400, -400, Red);
    TCDLFrame *moving = Filled(100, 100, Blue);
    Click(D(200, 200));
    editor->MouseDown(Qt::LeftButton, Qt::NoModifier, D(200, 200));
    editor->MouseMove(Qt::LeftButton, D(200, 200) + QPoint(60, 0));
    ASSERT_TRUE(editor->Dragging());

    QImage img = Cached();
    EXPECT_EQ(At(img, -300, -300), Red) << "a still frame comes from the cache";
    EXPECT_NE(At(img, 200, 200), Blue) << "the dragged frame is an outline, not filled";
    EXPECT_NE(At(img, moving->X + 100, moving->Y + 100), Blue);

    // A zoom during the drag rebuilds the cache: the still frame is found at
    // its new device place.
    page->Context.SetZoomLevel(5);
    editor->Layout();
    img = Cached();
    EXPECT_EQ((std::tuple{At(img, -300, -300), At(img, -250, -250)}), std::tuple(Red, Red));

    editor->MouseUp(Qt::LeftButton, D(200, 200) + QPoint(60, 0));
    EXPECT_FALSE(editor->Dragging());
    QImage full = Blank(editor->ControlSize());
    QPainter p(&full);
    page->PaintScreen(p, full.size());
    p.end();
    EXPECT_EQ(At(full, moving->X + 20, moving->Y + 20), Blue) << "after the drag it is painted in full again";
}

TEST_F(PaintTest, GridPaintsInFrontOfFramesOrBehindThemAsChosen)
{
    page->Context.SetZoomLevel(4); // 40 units are 18.8 pixels
    Filled(-200, -200, Red);
    const QPoint dot = page->Context.Map(0, 0);
    auto dotColour = [&] {
        QImage img = Blank(editor->ControlSize());
        QPainter p(&img);
        page->PaintScreen(p, img.size());
        p.end();
        return img.pixelColor(dot);
    };
    EXPECT_EQ(dotColour(), Qt::black);
    PageSettings().GridInFront = false;
    EXPECT_EQ(dotColour(), Red);
    PageSettings().GridInFront = true;
}

TEST_F(PaintTest, PaintsOfOtherContextsBetweenPressAndMoveLeaveTheDragAlone)
{
    page->ShowSnapPoints = false;
    TCDLKreis *k = Put(*page, Make2<TCDLKreis>(page.get(), 150, 0, 0, 0)); // radius 150
    TCDLRText *r = Put(*page, Make2<TCDLRText>(page.get(), -300, 450, -300, 250));
    r->Values = QStringList{QStringLiteral("Ring")};
    // Probes across the circle, its rim and the ring, at device rows
    // taken before anything is pressed.
    int rows[3] = {};
    auto answers = [&] {
        std::vector<int> out;
        for (int x = 0; x < editor->ControlSize().width(); x += 2) {
            out.push_back(k->TestMouseHit(page->ScreenGeometry(*k), x, rows[0]));
            out.push_back(r->TestMouseHit(page->ScreenGeometry(*r), x, rows[1]));
            out.push_back(r->TestDPMouseHit(page->ScreenGeometry(*r), x, rows[2]));
        }
        return out;
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto paintElsewhere = [&] {
        RenderPageImage(*page, 600);
        ASSERT_TRUE(RenderPagePdf(*page, dir.filePath(QStringLiteral("p.pdf")), 300));
    };

    for (int zoom : {3, 6}) {
        SCOPED_TRACE(zoom);
        page->Context.SetZoomLevel(zoom);
        rows[0] = D(0, 0).y();
        rows[1] = D(-300, 250).y();
        rows[2] = D(-300, 450).y();
        const QPoint from = D(0, 0), to = from + QPoint(40, 12);
        const QPoint moved = editor->ModelOf(to) - editor->ModelOf(from);
        const QPoint centre(k->X2, k->Y2);
        const std::vector<int> before = answers();
        ASSERT_TRUE(k->TestMouseHit(page->ScreenGeometry(*k), from.x(), from.y()));

        editor->MouseDown(Qt::LeftButton, Qt::NoModifier, from);
        ASSERT_EQ(page->ActiveFrame(), k);
        paintElsewhere();
        EXPECT_TRUE(answers() == before) << "hit tests as the screen shows the page";
        editor->MouseMove(Qt::LeftButton, to);
        paintElsewhere();
        editor->MouseUp(Qt::LeftButton, to);
        EXPECT_EQ(QPoint(k->X2, k->Y2), centre + moved) << "the circle follows the pointer at the screen's scale";
        EXPECT_TRUE(k->TestMouseHit(page->ScreenGeometry(*k), to.x(), to.y()));
        editor->Undo();
    }
}
