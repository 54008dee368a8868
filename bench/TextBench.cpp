// Figures for a page of 30,000 one-paragraph text frames: layout plus a full
// repaint at zoom 4 and 7, and the repaint alone when nothing changed (the
// layouts are cached); the same for a typical label of 30 frames, and the
// heap a laid-out frame holds. Each beside its floor: the visible lines drawn
// from glyph runs shaped before the timing. Run a Release build for numbers
// worth comparing.

#include "BenchSupport.h"
#include "Document.h"
#include "Geometry.h"
#include "Text.h"

#include <QGlyphRun>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <cmath>
#include <cstdio>
#include <malloc.h>
#include <random>
#include <vector>

namespace {

constexpr int Runs = 5;

std::unique_ptr<TCDLText> RandomText(TCDLPage *page, std::mt19937 &rng, int i)
{
    std::uniform_int_distribution<int> pos(-560, 480), width(60, 250), height(30, 120), size(3, 9), align(0, 3),
        angle(0, 5);
    auto f = std::make_unique<TCDLText>(page, pos(rng), pos(rng));
    f->Width = width(rng);
    f->Height = height(rng);
    f->FontSize = size(rng);
    f->Alignment = align(rng);
    f->Angle = angle(rng) == 0 ? 90 : 0;
    f->Values = QStringList{QStringLiteral("Titel %1 der Sammlung, Seite A").arg(i)};
    return f;
}

// A CD label's worth: title, track list, credits, a few turned lines.
std::unique_ptr<TCDLText> LabelText(TCDLPage *page, int i)
{
    auto f = std::make_unique<TCDLText>(page, -450 + (i % 3) * 300, -450 + (i / 3) * 90);
    f->Width = 280;
    f->Height = 85;
    f->FontSize = 6 + i % 7;
    f->Alignment = i % 4;
    f->Angle = i % 10 == 9 ? 90 : 0;
    f->Values = QStringList{QStringLiteral("%1. Stück Nummer %1 aus der Sammlung").arg(i + 1)};
    return f;
}

struct TFloorItem
{
    QTransform Transform;
    QPointF Baseline;
    QGlyphRun Run;
};

void Shape(std::vector<TFloorItem> &out, const QTransform &t, int ascent, const QString &text, const QFont &font,
           QRect screen)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e7);
    layout.endLayout();
    const QPointF baseline = QPointF(0, ascent) - QPointF(line.x(), line.y() + line.ascent());
    for (const QGlyphRun &run : line.glyphRuns())
        if (t.mapRect(run.boundingRect().translated(baseline)).toAlignedRect().intersects(screen))
            out.push_back({t, baseline, run});
}

// The visible lines of every text frame as the page shows them, each line's
// transform and glyph run computed here, from the frames' fields and lines.
std::vector<TFloorItem> FloorItems(const TCDLPage &page, QRect screen)
{
    std::vector<TFloorItem> out;
    const TPaintContext &c = page.Context;
    for (const auto &frame : page.Frames()) {
        const auto &f = static_cast<const TCDLText &>(*frame);
        const QFont font = CellFont(f, std::max(1, int(std::trunc(f.FontSize * c.ScaleY * 4))));
        const QFontMetrics fm(font);
        const QPoint p0 = page.ScreenGeometry(f).DragPoints[1];
        const int wd = RoundEven(f.Width * c.ScaleX);
        const auto &lines = f.Lines();
        for (size_t i = 0; i < lines.size() && int64_t(i + 1) * f.LineHeight() < f.Height; ++i) {
            const int y = p0.y() + RoundEven(f.LineHeight() * c.ScaleY * double(i));
            auto at = [&](int x) {
                const QPoint o = RotatePoint(QPoint(x, y), p0, f.Angle);
                QTransform t;
                t.translate(o.x(), o.y());
                t.rotate(-f.Angle);
                return t;
            };
            const QString text = lines[i].Text.toString();
            if (f.Alignment == 3 && !lines[i].ParagraphEnd) {
                const QStringList words = text.split(QLatin1Char(' '));
                int n = int(words.size()) - 1, free = wd - fm.horizontalAdvance(QString(text).remove(QLatin1Char(' '))),
                    x = 0;
                for (const QString &w : words) {
                    Shape(out, at(p0.x() + x), fm.ascent(), w, font, screen);
                    if (n > 0) {
                        x += fm.horizontalAdvance(w) + free / n;
                        free -= free / n;
                    }
                    --n;
                }
                continue;
            }
            const int w = fm.horizontalAdvance(text);
            const int x = p0.x() + (f.Alignment == 1 ? (wd - w) / 2 : f.Alignment == 2 ? wd - w : 0);
            Shape(out, at(x), fm.ascent(), text, font, screen);
        }
    }
    return out;
}

// Layout plus repaint, the repaint alone, and the floor of both at one zoom.
void Measure(TCDLPage &page, QImage &screen, int zoom, const char *suffix, int runs)
{
    auto repaint = [&] {
        screen.fill(Qt::white);
        QPainter p(&screen);
        page.PaintScreen(p, screen.size());
    };
    page.Context.SetZoomLevel(zoom);
    // A width change of one unit invalidates every cached layout.
    const double full = MedianMs(runs, [&](int run) {
        const int d = run % 2 ? -1 : 1;
        for (auto &f : page.Frames())
            f->Width += d;
        repaint();
    });
    const double again = MedianMs(runs, [&](int) { repaint(); });
    // A width change keeps the glyphs of what stays on a line; a size change
    // lays every frame out anew, as a new zoom level does, and a text is
    // shaped once per paint in each font.
    const double reshaped = MedianMs(runs, [&](int run) {
        const int d = run % 2 ? -1 : 1;
        for (auto &f : page.Frames())
            static_cast<TCDLFontFrame &>(*f).FontSize += d;
        repaint();
    });
    if (runs % 2)
        for (auto &f : page.Frames())
            static_cast<TCDLFontFrame &>(*f).FontSize -= 1;
    repaint();
    const QImage program = screen.copy();
    const std::vector<TFloorItem> items = FloorItems(page, screen.rect());
    const double floor = MedianMs(runs, [&](int) {
        screen.fill(Qt::white);
        QPainter p(&screen);
        p.setPen(Qt::black);
        for (const TFloorItem &item : items) {
            p.setTransform(item.Transform);
            p.drawGlyphRun(item.Baseline, item.Run);
        }
    });
    int differing = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            differing += screen.pixel(x, y) != program.pixel(x, y);
    std::printf("%s%d: %zu glyph runs visible, %d pixels differ from the floor's\n", suffix, zoom, items.size(),
                differing);
    char name[80];
    std::snprintf(name, sizeof name, "text repaint unchanged %s%d", suffix, zoom);
    ReportMs(name, again, floor);
    std::snprintf(name, sizeof name, "text layout + repaint %s%d", suffix, zoom);
    ReportMs(name, full, floor);
    std::printf("every frame laid out anew (a size change) + repaint %s%d, %.3f ms\n", suffix, zoom, reshaped);
}

size_t HeapInUse() { return mallinfo2().uordblks; }

// Heap a frame holds once laid out and shaped for the screen, against its
// text's UTF-16 bytes and one glyph index and one position per character.
void MeasureBytes(TCDLPage &page, int count)
{
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    // Every frame is painted: none is skipped as off the canvas.
    p.setClipRect(QRect(-1000000, -1000000, 2000000, 2000000));
    TPaintContext c;
    c.Canvas = &p;
    c.SetZoomLevel(4);
    c.ScaleX = c.ScaleY = c.Zoom;
    std::mt19937 rng(2);
    auto make = [&] {
        std::vector<std::unique_ptr<TCDLText>> frames;
        for (int i = 0; i < count; ++i) {
            frames.push_back(RandomText(&page, rng, i));
            frames.back()->PaintAt(c, frames.back()->Geometry(c));
        }
        return frames;
    };
    make(); // fills the fonts' glyph caches, which frames share
    const size_t before = HeapInUse();
    const auto frames = make();
    const double bytes = double(HeapInUse() - before) / count;
    double floor = 0;
    for (const auto &f : frames)
        floor += double(JoinParagraphs(f->Values).size()) * (2 + sizeof(quint32) + sizeof(QPointF));
    std::printf("a text frame object alone: %zu B\n", sizeof(TCDLText));
    ReportBytes("bytes per laid-out text frame", bytes, floor / count);
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenUnlessChosen();
    QGuiApplication app(argc, argv);

    QImage screen(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    TCDLDocument typical;
    for (int i = 0; i < 30; ++i)
        typical.Label().AddFrame(LabelText(&typical.Label(), i));
    Measure(typical.Label(), screen, 4, "typical zoom ", 21);

    TCDLDocument doc;
    TCDLPage &page = doc.Label();
    std::mt19937 rng(1);
    for (int i = 0; i < MaxFramesPerPage; ++i)
        page.AddFrame(RandomText(&page, rng, i));
    std::printf("%d one-paragraph text frames on one page, 1920x1080\n", MaxFramesPerPage);
    for (int zoom : {4, 7})
        Measure(page, screen, zoom, "zoom ", Runs);

    TCDLDocument other;
    MeasureBytes(other.Label(), 2000);
    return 0;
}
