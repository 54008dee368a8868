// Word splitting and line breaking on real font metrics, the bar-code
// transformation, the text record, and what a text frame puts on pixels.

#include "DocumentTestSupport.h"
#include "GlyphLines.h"

#include "BinaryStream.h"
#include "Page.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <functional>

namespace {

// The laid-out lines joined by "/", each paragraph's end marked "|".
std::string LineTexts(const TCDLText &t)
{
    QStringList out;
    for (const TLineInfo &l : t.Lines())
        out.append(l.Text.toString() + (l.ParagraphEnd ? QStringLiteral("|") : QString()));
    return out.join(QLatin1Char('/')).toStdString();
}

// A monospaced frame whose width is a whole number of characters.
struct MonoText
{
    TInlayVorder page{nullptr};
    TCDLText t{&page, 0, 0};
    int32_t cw = 0;
    MonoText(int chars, QStringList values)
    {
        t.FontName = QStringLiteral("Liberation Mono");
        t.FontSize = 10;
        cw = TTextMeasure(t).CharWidth(QLatin1Char('x'));
        t.Width = chars * cw;
        t.Height = 1000;
        t.Values = std::move(values);
    }
};

} // namespace

TEST(TextMeasure, CellHeightIsFourTimesTheSizeInModelUnits)
{
    TInlayVorder page(nullptr);
    TCDLText t(&page, 0, 0);
    // Every size the panel offers and a file may hold; a unit short shows a
    // line the fit rule should hide.
    for (const char *face : {"Arial", "Liberation Serif", "Liberation Mono"}) {
        t.FontName = QString::fromLatin1(face);
        for (int size = 1; size <= 256; ++size) {
            t.FontSize = size;
            ASSERT_EQ(t.LineHeight(), 4 * size) << face << " " << size;
        }
    }
    t.FontName = QStringLiteral("Arial");
    // Arial is absent here and falls back to its metric twin.
    const QFont f = CellFont(t, 400);
    const QFontMetrics fm(f);
    EXPECT_NEAR(fm.ascent() + fm.descent(), 400, 2);
    EXPECT_EQ(QFontInfo(f).family(), QStringLiteral("Liberation Sans"));
}

TEST(TextLayout, WrapsAtBlanksBreaksLongWordsAndKeepsEmptyParagraphs)
{
    struct Row
    {
        int chars;
        const char *paragraphs, *lines;
    };
    const Row rows[] = {
        {10, "hello world again\n\nabcdefghijklmnopqrstuvwxy\none  two   ",
         "hello/world/again|/|/abcdefghij/klmnopqrst/uvwxy|/one  two|"},
        // "aaaa" fills five of five; the blanks go on, then "bb" does not fit.
        {5, "aaaa  bb", "aaaa/bb|"},
        // Broken inside the word; the blanks then ride on the remainder's line.
        {6, "aaaaaaa  b", "aaaaaa/a  b|"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(LineTexts(MonoText(r.chars, QString::fromLatin1(r.paragraphs).split(QLatin1Char('\n'))).t), r.lines);

    // A character wider than the frame gets its own line.
    MonoText m(1, {QStringLiteral("ab")});
    m.t.Width = m.cw / 2;
    EXPECT_EQ(LineTexts(m.t), "a/b|");
}

TEST(TextLayout, WordRecordsCarryKindsAndWidths)
{
    MonoText m(40, {QStringLiteral("ab c"), QString()});
    const auto &w = m.t.Words();
    ASSERT_EQ(w.size(), 5u);
    EXPECT_EQ(w[0].Kind, TWordKind::Word);
    EXPECT_EQ((std::tuple{w[0].TotalWidth, w[0].Widths, w[1].Kind, w[3].Kind, w[4].Kind}),
              std::tuple(2 * m.cw, (std::vector<int32_t>{m.cw, m.cw}), TWordKind::Space, TWordKind::ParagraphEnd,
                         TWordKind::ParagraphEnd));
}

TEST(TextLayout, RelayoutFollowsEveryFieldItDependsOn)
{
    MonoText m(20, {QStringLiteral("aaa bbb ccc")});
    EXPECT_EQ(m.t.Lines().size(), 1u);
    m.t.Width = 4 * m.cw;
    EXPECT_EQ(m.t.Lines().size(), 3u);
    m.t.Values = QStringList{QStringLiteral("aaa")};
    EXPECT_EQ(m.t.Lines().size(), 1u);
    const int32_t h = m.t.LineHeight();
    m.t.FontSize = 20;
    EXPECT_GT(m.t.LineHeight(), h);
}

TEST(BarcodeTransform, UmlautsBlanksAndStartCharacters)
{
    const QString start = QStringLiteral("!"), space = QStringLiteral("*");
    EXPECT_EQ(BarcodeTransform(QStringLiteral("Größe 1"), start, space), QStringLiteral("!Groesse*1!"));
    EXPECT_EQ(BarcodeTransform(QStringLiteral("!AB!"), start, space), QStringLiteral("!AB!"));
    EXPECT_EQ(BarcodeTransform(QStringLiteral("ÄÖÜäöüß"), start, space), QStringLiteral("!AeOeUeaeoeuess!"));
    // An empty paragraph: the start string put in front is also its last character.
    EXPECT_EQ(BarcodeTransform(QString(), start, space), QStringLiteral("!"));
    EXPECT_EQ(BarcodeTransform(QStringLiteral("!x"), start, space), QStringLiteral("!x!"));
}

TEST(TextRecord, ALengthPastTheDataIsDamage)
{
    TInlayVorder page(nullptr);
    TCDLText t(&page, 0, 0);
    t.Values = QStringList{QStringLiteral("abc")};
    TStreamWriter w;
    t.WriteToStream(w);
    QByteArray body = w.data().mid(8);
    const qsizetype lengthAt = body.size() - 6;
    body[lengthAt] = char(200);
    TStreamReader r(body);
    TCDLText back(&page, 0, 0);
    EXPECT_THROW(back.ReadFromStream(r), EStreamError);
}

TEST(TextRecord, TextBeyondTheLimitsIsRefusedAndNothingChanges)
{
    TInlayVorder page(nullptr);
    TCDLText t(&page, 0, 0);
    t.Values = QStringList{QStringLiteral("keep")};
    EXPECT_THROW(t.SetPlainText(QString(30000, QLatin1Char('a'))), ELocalizedError);
    EXPECT_EQ(t.Values, QStringList{QStringLiteral("keep")});
    t.SetPlainText(QStringLiteral("a\r\nb\nc\r\rd\n"));
    EXPECT_EQ(t.Values, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QString(),
                                     QStringLiteral("d"), QString()}));
    EXPECT_EQ(t.PlainText(), QStringLiteral("a\r\nb\r\nc\r\n\r\nd\r\n"));
    // A pasted zero is dropped, not kept to cut the text short on the next load.
    t.SetPlainText(QStringLiteral("ab") + QChar(0) + QStringLiteral("cd\r\ne"));
    TStreamWriter saved;
    t.WriteToStream(saved);
    const QByteArray body = saved.data().mid(8);
    TStreamReader r(body);
    TCDLText back(&page, 0, 0);
    back.ReadFromStream(r);
    EXPECT_EQ(back.Values, (QStringList{QStringLiteral("abcd"), QStringLiteral("e")}));
    // However it got there, an oversized text never becomes a record.
    t.Values = QStringList{QString(70000, QLatin1Char('a'))};
    TStreamWriter w;
    EXPECT_THROW(t.WriteToStream(w), ELocalizedError);
}

namespace {

struct PaintedText
{
    TInlayVorder page{nullptr};
    TCDLText t{&page, 100, 50};
    PaintedText(int alignment, QStringList values, int angle = 0)
    {
        t.FontSize = 10;
        t.Width = 400;
        t.Height = 300;
        t.Alignment = alignment;
        t.Angle = angle;
        t.Values = std::move(values);
    }
    QImage Paint(double scale = 1.0, QPoint offset = {})
    {
        TTestCanvas canvas(page.Context, 800, 600, scale, offset);
        t.PaintAt(page.Context, t.Geometry(page.Context));
        return canvas.Finish();
    }
};

} // namespace

TEST(TextPaint, LeftCentredAndRightLinesLandAtTheirComputedOffsets)
{
    for (double scale : {1.0, 0.5}) {
        PaintedText left(0, {QStringLiteral("HHH")});
        const QRect l = InkBox(left.Paint(scale, {20, 10}));
        const int x0 = 20 + int(100 * scale), y0 = 10 + int(50 * scale);
        const int wd = int(400 * scale);
        const QFontMetrics fm(CellFont(left.t, int(40 * scale)));
        const int lb = fm.leftBearing(QLatin1Char('H')), rb = fm.rightBearing(QLatin1Char('H'));
        EXPECT_NEAR(l.left(), x0 + lb, 1) << scale;
        // Cap tops sit below the cell top by the font's internal leading.
        EXPECT_GE(l.top(), y0);
        EXPECT_LT(l.top(), y0 + int(40 * scale) / 3 + 1);
        EXPECT_LE(l.bottom(), y0 + int(40 * scale));

        PaintedText right(2, {QStringLiteral("HHH")});
        EXPECT_NEAR(InkBox(right.Paint(scale, {20, 10})).right(), x0 + wd - rb - 1, 1) << scale;

        PaintedText centre(1, {QStringLiteral("HHH")});
        const QRect c = InkBox(centre.Paint(scale, {20, 10}));
        EXPECT_NEAR(c.left() + c.right(), 2 * x0 + wd + lb - rb - 1, 2) << scale;
    }
}

TEST(TextPaint, LinesAreOneLineHeightApartAndOnlyWholeLinesAreDrawn)
{
    PaintedText two(0, {QStringLiteral("H"), QStringLiteral("H")});
    const QImage img = two.Paint();
    const QRect first = InkBox(img, QRect(0, 0, 800, 50 + two.t.LineHeight()));
    const QRect second = InkBox(img, QRect(0, 50 + two.t.LineHeight(), 800, 200));
    EXPECT_EQ(second.top() - first.top(), two.t.LineHeight());

    PaintedText t(0, {QStringLiteral("H"), QStringLiteral("H"), QStringLiteral("H")});
    // Exactly two line heights: the second line would end on the edge.
    t.t.Height = 2 * t.t.LineHeight();
    const QImage cut = t.Paint();
    EXPECT_FALSE(InkBox(cut, QRect(0, 50, 800, t.t.LineHeight())).isNull());
    EXPECT_TRUE(InkBox(cut, QRect(0, 50 + t.t.LineHeight(), 800, 400)).isNull());
    t.t.Height = t.t.LineHeight() - 1;
    EXPECT_TRUE(InkBox(t.Paint()).isNull());
}

TEST(TextPaint, JustifiedLinesReachTheRightEdgeButParagraphEndsStayLeft)
{
    PaintedText j(3, {QStringLiteral("HH HH HH HH HH HH HH HH HH HH HH")});
    j.t.Width = 300;
    const QImage img = j.Paint();
    ASSERT_GE(j.t.Lines().size(), 2u);
    const QFontMetrics fm(CellFont(j.t, 40));
    const int lb = fm.leftBearing(QLatin1Char('H')), rb = fm.rightBearing(QLatin1Char('H'));
    const QRect first = InkBox(img, QRect(0, 50, 800, j.t.LineHeight()));
    EXPECT_NEAR(first.left(), 100 + lb, 1);
    EXPECT_NEAR(first.right(), 400 - rb - 1, 1);
    const int last = int(j.t.Lines().size()) - 1;
    const QRect end = InkBox(img, QRect(0, 50 + last * j.t.LineHeight(), 800, j.t.LineHeight()));
    EXPECT_NEAR(end.left(), 100 + lb, 1);
    EXPECT_LT(end.right(), 380);
}

namespace {

// Ink of a painted frame in the frame's own unrotated coordinates: u along
// the lines, v down from the top edge, both in pixels at scale 1.
struct FrameInk
{
    std::vector<QPoint> Points;
    FrameInk(const QImage &img, QPoint p0, int angle)
    {
        const double a = angle * M_PI / 180, c = std::cos(a), s = std::sin(a);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qGray(img.pixel(x, y)) < 128) {
                    const double dx = x - p0.x(), dy = y - p0.y();
                    Points.emplace_back(int(std::lround(dx * c - dy * s)), int(std::lround(dx * s + dy * c)));
                }
    }
    // Ink of the line band [top, top + height).
    QRect Band(int top, int height) const
    {
        QRect box;
        for (const QPoint &q : Points)
            if (q.y() >= top && q.y() < top + height)
                box = box.united(QRect(q, QSize(1, 1)));
        return box;
    }
    QRect All() const { return Band(INT_MIN / 2, INT_MAX); }
};

} // namespace

// A justified paragraph after an earlier paragraph end (an empty one, a
// one-line one, a wrapped one) stays in its own line band, upright and turned.
TEST(TextPaint, JustifiedParagraphsAfterTheFirstStayInTheirLines)
{
    const QString wraps = QStringLiteral("HH HH HH HH HH HH HH HH HH");
    for (auto [angle, y] : {std::pair{0, 50}, {30, 250}, {90, 450}}) {
        PaintedText j(3, {wraps, QString(), QStringLiteral("HH"), wraps}, angle);
        j.t.X = 200;
        j.t.Y = y;
        j.t.Width = 300;
        j.t.Height = 260;
        const FrameInk ink(j.Paint(), QPoint(200, y), angle);
        const int lh = j.t.LineHeight();
        ASSERT_EQ(j.t.Lines().size(), 6u);
        ASSERT_FALSE(j.t.Lines()[4].ParagraphEnd);
        const QRect all = ink.All();
        EXPECT_GE(all.left(), -2) << angle;
        EXPECT_LE(all.right(), 302) << angle;
        EXPECT_GE(all.top(), -2) << angle;
        EXPECT_LE(all.bottom(), 6 * lh + 2) << angle;
        // Lines 0 and 4 are wrapped: justified from edge to edge.
        for (int line : {0, 4}) {
            const QRect band = ink.Band(line * lh + 4, lh - 8);
            EXPECT_NEAR(band.left(), 0, 6) << angle << " line " << line;
            EXPECT_NEAR(band.right(), 300, 6) << angle << " line " << line;
        }
        EXPECT_TRUE(ink.Band(2 * lh + 4, lh - 8).isNull()) << angle;
        EXPECT_LT(ink.Band(3 * lh + 4, lh - 8).right(), 100) << angle;
        EXPECT_FALSE(ink.Band(5 * lh + 4, lh - 8).isNull()) << angle;
    }
}

TEST(TextPaint, RotationNinetyRunsTheTextUpwardFromTheCorner)
{
    PaintedText r(0, {QStringLiteral("HHHHHH")}, 90);
    r.t.X = 200;
    r.t.Y = 400;
    const QImage img = r.Paint();
    EXPECT_EQ(r.t.Geometry(r.page.Context).DragPoints[2], QPoint(200, 0));
    const QRect box = InkBox(img);
    EXPECT_GT(box.height(), 2 * box.width());
    EXPECT_LE(box.bottom(), 402);
    EXPECT_GE(box.left(), 200);
}

// Repaints draw the glyphs shaped at the first paint for the scale; they give
// drawText's pixels, underlines, tabs, turned lines and large sizes included.
TEST(TextPaint, KeptGlyphsPaintAsDrawText)
{
    for (int angle : {0, 30, 90, 180})
        // Marks above and below sit off the baseline; Hebrew runs right to left.
        for (const char *text :
             {"Zeile mit Text", "Tab\there", "q\u0301\u0323 y\u0330", "abc \u05E9\u05DC\u05D5\u05DD"}) {
            const QString value = QString::fromUtf8(text);
            // drawText underlines each direction's run on its own: at a slant
            // the joint's edge pixels differ from one underline's.
            const bool mixed =
                std::any_of(value.begin(), value.end(), [](QChar c) { return c.direction() == QChar::DirR; });
            if (angle % 90 && mixed)
                continue;
            PaintedText t(0, {value}, angle);
            t.t.X = t.t.Y = 200;
            t.t.Italic = t.t.Underline = true;
            for (double scale : {1.0, 0.5, 2.0}) {
                const QImage got = t.Paint(scale);
                TTestCanvas canvas(t.page.Context, 800, 600, scale);
                const QFont font = CellFont(t.t, int(40 * scale));
                QPainter &p = *t.page.Context.Canvas;
                p.setFont(font);
                p.translate(t.t.Geometry(t.page.Context).DragPoints[1]);
                p.rotate(-angle);
                p.drawText(0, QFontMetrics(font).ascent(), t.t.Values[0]);
                EXPECT_EQ(canvas.Finish(), got) << angle << text << scale;
            }
        }
}

// A changed frame copies the glyphs of the pieces whose text it still has;
// it paints as a frame painted once with its new fields.
TEST(TextPaint, ChangedTextPaintsAsNew)
{
    const std::function<void(TCDLText &)> steps[] = {
        [](TCDLText &f) { f.Width = 390; },
        [](TCDLText &f) { f.Values[0].insert(5, QStringLiteral("und ")); },
        [](TCDLText &f) { f.Alignment = 1; },
        [](TCDLText &f) {
            f.Width = 200;
            f.Alignment = 3;
            (void)f.Lines();
            f.Values[1] = QStringLiteral("neun elf");
        },
        [](TCDLText &f) { f.Bold = true; },
    };
    const QStringList text{QStringLiteral("Eins zwei drei\tvier fünf sechs sieben acht"), QStringLiteral("neun zehn")};
    PaintedText t(3, text);
    t.t.Underline = true;
    t.Paint();
    for (size_t i = 0; i < std::size(steps); ++i) {
        steps[i](t.t);
        PaintedText fresh(3, text);
        fresh.t.Underline = true;
        for (size_t j = 0; j <= i; ++j)
            steps[j](fresh.t);
        EXPECT_EQ(t.Paint(), fresh.Paint()) << i;
    }
}

// In one paint, a text shaped for one frame serves the others in its font:
// each paints as if it had been shaped alone.
TEST(TextPaint, TextsShapedOnceAPaintPaintAsShapedAlone)
{
    const QStringList text{QStringLiteral("Eins zwei drei vier f\u00fcnf sechs sieben acht"),
                           QStringLiteral("abc \u05E9\u05DC\u05D5\u05DD")};
    for (int alignment : {0, 3}) {
        PaintedText first(alignment, text), second(alignment, text), alone(alignment, text);
        for (PaintedText *f : {&first, &second, &alone})
            f->t.Underline = true;
        QImage shared;
        {
            const TShapeSession session;
            first.Paint();
            shared = second.Paint();
        }
        EXPECT_EQ(shared, alone.Paint()) << alignment;
    }
}

TEST(TextPaint, DottedOutlineOnlyOnAnInteractiveScreen)
{
    PaintedText t(0, {});
    {
        TTestCanvas canvas(t.page.Context, 800, 600);
        t.t.PaintAt(t.page.Context, t.t.Geometry(t.page.Context));
        EXPECT_TRUE(InkBox(canvas.Finish()).isNull());
    }
    TTestCanvas canvas(t.page.Context, 800, 600);
    t.page.Context.Interactive = true;
    t.page.Context.Printing = false;
    t.t.PaintAt(t.page.Context, t.t.Geometry(t.page.Context));
    const QImage img = canvas.Finish();
    int grey = 0;
    for (int x = 100; x <= 500; ++x)
        grey += (img.pixel(x, 50) & 0xFFFFFF) == 0x808080u;
    // Dotted: about every other pixel of the top edge.
    EXPECT_GT(grey, 100);
    EXPECT_LT(grey, 300);
}

TEST(TextLayout, NewlyInstalledFontsMakeLayoutsStale)
{
    MonoText m(20, {QStringLiteral("aaa")});
    const TLineInfo *stale = m.t.Lines().data();
    const int before = FontGeneration();
    const QString file = QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf");
    if (!QFile::exists(file))
        GTEST_SKIP() << "no font file to install";
    const int id = QFontDatabase::addApplicationFont(file);
    ASSERT_GE(id, 0);
    EXPECT_GT(FontGeneration(), before);
    QFontDatabase::removeApplicationFont(id);
    // The cached layout is rebuilt though no field of the frame changed.
    EXPECT_NE(m.t.Lines().data(), stale) << "a rebuilt layout is a new list";
}
