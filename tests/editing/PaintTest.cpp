// What the person sees while editing: the cached background of a drag and
// the paint order of grid and frames.

#include "DragCache.h"
#include "EditorFixture.h"

#include <QImage>
#include <QPainter>

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
    EXPECT_EQ(At(img, -300, -300), Red);
    EXPECT_EQ(At(img, -250, -250), Red);

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
