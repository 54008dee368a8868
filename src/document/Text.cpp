#include "Text.h"

#include "BinaryStream.h"
#include "PaintSurface.h"
#include "RecordCode.h"
#include "Strings.h"

#include <QPaintEngine>

#include <cmath>

namespace {

using F = TCDLText;
constexpr TRecordField kTextLayout[] = {
    QM_FIELD(F, X),         QM_FIELD(F, Y),        QM_FIELD(F, Width), QM_FIELD(F, Height), QM_FIELD(F, PenColor),
    QM_FIELD(F, FontName),  QM_FIELD(F, FontSize), QM_FIELD(F, Bold),  QM_FIELD(F, Italic), QM_FIELD(F, Underline),
    QM_FIELD(F, Alignment), QM_FIELD(F, Barcode),  QM_FIELD(F, Angle), QM_FIELD(F, Values),
};

constexpr TColor kDragOutline = 0x00FFFF;
constexpr TColor kScreenOutline = 0x808080;

// Bars of one line from its top-left origin, as high as the line's ascent.
void DrawBars(QPainter &p, const QTransform &base, QPoint origin, int angle, double module, int height,
              const TCode39Line &line, const QColor &color)
{
    QTransform t;
    t.translate(origin.x(), origin.y());
    t.rotate(-angle);
    const QTransform whole = t * base;
    const QPaintEngine *engine = p.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Pdf) {
        p.setTransform(whole);
        for (const TCode39Line::TBar &b : line.Bars)
            p.fillRect(QRectF(b.Start * module, 0, b.Width * module, height), color);
        return;
    }
    // A PDF gets a graphics state with every fillRect and a transform with
    // every rectangle drawn under one: pen and brush set once and bars in
    // page coordinates leave one fill per bar. Not one fill for all: viewers
    // snap a lone rectangle's edges to whole pixels, not those of many.
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const bool shifted = whole.type() <= QTransform::TxTranslate;
    p.setTransform(shifted ? QTransform() : whole);
    const double dx = shifted ? whole.dx() : 0, dy = shifted ? whole.dy() : 0;
    for (const TCode39Line::TBar &b : line.Bars) {
        const QRectF bar(dx + b.Start * module, dy, b.Width * module, height);
        p.drawRects(&bar, 1);
    }
}

// Calls f with each piece of a justified line: the texts between its blanks.
template <class F> void ForEachWord(QStringView line, F f)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i)
        if (i == line.size() || line[i] == QLatin1Char(' ')) {
            f(line.sliced(start, i - start));
            start = i + 1;
        }
}

} // namespace

struct TCDLText::TPieceSource
{
    TGlyphLines &Glyphs;
    const QFont &Font;
    // The glyphs kept before and the text of each of their pieces.
    const TGlyphLines *Old = nullptr;
    std::vector<QStringView> OldTexts;
    size_t Next = 0;

    double Add(QStringView text, int offset)
    {
        // Pieces come in the order they had; a few may be new or gone.
        for (size_t k = Next; k < OldTexts.size() && k < Next + 64; ++k)
            if (OldTexts[k] == text) {
                Next = k + 1;
                return Glyphs.CopyPiece(*Old, k, offset);
            }
        return Glyphs.AddPiece(QString::fromRawData(text.data(), text.size()), Font, offset);
    }
};

constexpr TKindTool kTextTools[] = {
    {TTool::Text, nullptr},
    {TTool::Barcode, [](TCDLFrame &f) { PrepareBarcode(static_cast<TCDLText &>(f)); }},
};
const TFrameKind TCDLText::Descriptor = {
    TagText,
    "TCDLText",
    &MakeFrame<TCDLText>,
    kTextTools,
    TPanel::ColorPanel | TPanel::Rotation | TPanel::Font | TPanel::Justify | TPanel::Text,
    TTextFocus::Text,
    TSnapRule::Box,
    nullptr,
    [](const TClipData &clip) { return clip.HasText; },
};

TCDLText::TCDLText(TCDLPage *page, int32_t x, int32_t y) : TCDLFontFrame(page, x, y) { DragPointCount = 8; }

TRecordLayout TCDLText::RecordLayout() const { return TRecordCode<kTextLayout>::Layout; }

QString TCDLText::Verbose() const
{
    QString s = BoxVerbose(557);
    const QString rejected = BarcodeRejects();
    if (!rejected.isEmpty())
        s += QStringLiteral("  ") + GetText(1053).arg(rejected);
    return s;
}

QString TCDLText::BarcodeRejects() const
{
    QString rejected;
    if (PaintsAsBarcode())
        for (const QString &p : LayoutParagraphs())
            Code39Data(p, &rejected);
    return rejected;
}

void TCDLText::SetPlainText(const QString &text)
{
    if (text.size() > MaxPasteChars)
        throw ELocalizedError(GetText(1052).arg(MaxPasteChars));
    CheckRecordText(text);
    Values = SplitParagraphs(text);
}

void TCDLText::CopyToClip(TClipData &clip) const
{
    TCDLFrame::CopyToClip(clip);
    clip.HasText = true;
    clip.Text = PlainText();
}

void TCDLText::PasteFromClip(const TClipData &clip)
{
    if (clip.HasText)
        SetPlainText(clip.Text);
}

QStringList TCDLText::LayoutParagraphs() const
{
    if (!Barcode)
        return Values;
    QStringList out;
    out.reserve(Values.size());
    for (const QString &p : Values)
        out.append(BarcodeTransform(p));
    return out;
}

bool TCDLText::PaintsAsBarcode() const { return Barcode && !BarcodeFontInstalled(FontName); }

TTextMeasure TCDLText::Measure() const
{
    TTextMeasure m(*this);
    if (PaintsAsBarcode())
        m.UseFixedAdvance(Code39Advance(FontSize), Code39Draws);
    return m;
}

std::vector<TWordInfo> TCDLText::Words() const { return SplitWords(LayoutParagraphs(), Measure()); }

void TCDLText::ReCalc() const
{
    TLayoutKey key{LayoutParagraphs(), FontName, FontSize, Width, FontGeneration(), Bold, Italic, Underline};
    if (key == m_layoutKey)
        return;
    const TTextMeasure m = Measure();
    m_lineHeight = m.LineHeight();
    std::vector<TLineInfo> lines = BreakLines(key.Paragraphs, m, Width);
    lines.shrink_to_fit();
    const TLayoutKey &k = m_layoutKey;
    const bool sameFace = key.FontName == k.FontName && key.FontSize == k.FontSize
                          && key.FontGeneration == k.FontGeneration && key.Bold == k.Bold && key.Italic == k.Italic
                          && key.Underline == k.Underline;
    if (!sameFace) {
        m_paint.Cell = -1;
        m_paint.Shaped.reset();
    } else if (m_paint.Cell >= 0 && !m_paint.Stale) {
        // Kept with their paragraphs until the glyphs are made anew.
        m_paint.Shaped.reset(new TPaintCache::TShapedLines{std::move(m_lines), std::move(m_layoutKey.Paragraphs)});
    }
    m_paint.Stale = true;
    m_lines = std::move(lines);
    m_layoutKey = std::move(key);
}

const TCDLText::TPaintCache &TCDLText::PaintCache(const TPaintContext &c, int width) const
{
    const int cell = CellPixels(FontSize, c.ScaleY);
    const bool bars = PaintsAsBarcode();
    // The face is in the layout's key, whose change resets Cell.
    if (!m_paint.Stale && cell == m_paint.Cell && bars == m_paint.AsBars
        && (bars || (width == m_paint.Width && Alignment == m_paint.Alignment)))
        return m_paint;
    const QFont font = CellFont(*this, cell);
    // The glyphs kept for this cell and face serve the pieces of the same
    // text: a new width or a changed line reshapes only what changed.
    const TGlyphLines old = std::move(m_paint.Glyphs);
    TPieceSource source{m_paint.Glyphs, font, nullptr, {}, 0};
    if (!bars && !m_paint.AsBars && cell == m_paint.Cell) {
        const std::vector<TLineInfo> &lines = m_paint.Shaped ? m_paint.Shaped->Lines : m_lines;
        auto shaped = [&](QStringView text) { source.OldTexts.push_back(text); };
        for (const TLineInfo &l : lines)
            if (m_paint.Alignment == 3 && !l.ParagraphEnd)
                ForEachWord(l.Text, shaped);
            else
                shaped(l.Text);
        if (source.OldTexts.size() == old.PieceCount())
            source.Old = &old;
        else
            source.OldTexts.clear();
    }
    m_paint.Cell = cell;
    m_paint.Width = width;
    m_paint.Alignment = Alignment;
    m_paint.AsBars = bars;
    m_paint.Stale = false;
    // Pixel-sized fonts measure alike on every device.
    const QFontMetrics fm(font);
    m_paint.Ascent = fm.ascent();
    m_paint.Glyphs.Clear();
    m_paint.Bars.clear();
    for (const TLineInfo &l : m_lines) {
        if (bars)
            // The line's characters, not copied.
            m_paint.Bars.push_back(Code39Line(QString::fromRawData(l.Text.data(), l.Text.size())));
        else if (Alignment == 3 && !l.ParagraphEnd)
            ShapeJustified(source, font, l.Text, width);
        else
            // Rounded as the font metrics round it.
            m_paint.Glyphs.EndLine(qRound(source.Add(l.Text, 0)));
    }
    m_paint.Bars.shrink_to_fit();
    m_paint.Glyphs.Finish();
    m_paint.Shaped.reset();
    return m_paint;
}

// Frames wholly off the canvas draw nothing; with a 30,000-frame page at a
// high zoom most of them are.
bool TCDLText::OutsideCanvas(const TPaintContext &c, const TFrameGeometry &g) const
{
    const QPainter &p = *c.Canvas;
    if (!p.transform().isIdentity() || !p.device())
        return false;
    QRect box(g.DragPoints[1], g.DragPoints[1]);
    for (int i = 2; i <= 4; ++i)
        box = box.united(QRect(g.DragPoints[i], g.DragPoints[i]));
    const int margin = CellPixels(FontSize, c.ScaleY);
    box.adjust(-margin, -margin, margin, margin);
    return !box.intersects(VisibleArea(p));
}

// A line wider than the box (a lone wide character, centred or right
// aligned) and italic overhangs stay within a cell of it.
int TCDLText::InkMargin(const TPaintContext &c) const
{
    return TCDLFrame::InkMargin(c) + CellPixels(FontSize, c.ScaleY);
}

void TCDLText::PaintAt(TPaintContext &c, const TFrameGeometry &g) const
{
    // Frames off the canvas are not laid out either.
    if (!c.Canvas || OutsideCanvas(c, g))
        return;
    const QPoint poly[4] = {g.DragPoints[1], g.DragPoints[2], g.DragPoints[3], g.DragPoints[4]};
    if (DrawsDragOutline(c)) {
        c.SetPen(kDragOutline, TPenMode::Xor, Qt::DotLine, 0);
        c.SetBrush(0, true);
        c.Canvas->drawPolygon(poly, 4);
        c.SetMode(TPenMode::Copy);
        return;
    }
    if (c.ShowsEditingAids()) {
        c.SetPen(kScreenOutline, TPenMode::Copy, Qt::DotLine, 0);
        c.SetBrush(0, true);
        c.Canvas->drawPolygon(poly, 4);
    }
    ReCalc();
    PaintLines(c, g);
}

void TCDLText::PaintLines(TPaintContext &c, const TFrameGeometry &g) const
{
    QPainter &p = *c.Canvas;
    const int wd = RoundEven(Width * c.ScaleX);
    const TPaintCache &pc = PaintCache(c, wd);
    p.save();
    c.SetMode(TPenMode::Copy);
    p.setPen(ToQColor(PenColor));
    p.setBrush(Qt::NoBrush);
    const QTransform base = p.transform();
    const QPoint p0 = g.DragPoints[1];
    // Lines that do not fit wholly are not drawn.
    size_t shown = 0;
    while (shown < m_lines.size() && int64_t(shown + 1) * m_lineHeight < Height)
        ++shown;
    const bool bars = pc.AsBars;
    const double module = bars ? BarModule(c, pc, shown) : 0;
    if (bars)
        p.setRenderHint(QPainter::Antialiasing, module != std::floor(module));
    for (size_t i = 0; i < shown; ++i) {
        const int y = p0.y() + RoundEven(m_lineHeight * c.ScaleY * double(i));
        const int w = bars ? int(std::lround(module * pc.Bars[i].Modules)) : pc.Glyphs.LineWidth(i);
        int x = p0.x();
        if (Alignment == 1)
            x += (wd - w) / 2;
        else if (Alignment == 2)
            x += wd - w;
        if (bars) {
            DrawBars(p, base, RotatePoint(QPoint(x, y), p0, Angle), Angle, module, pc.Ascent, pc.Bars[i],
                     ToQColor(PenColor));
            continue;
        }
        // Justified lines are drawn word by word from x, each at its offset.
        pc.Glyphs.DrawLine(p, i, pc.Ascent, [&](int offset) {
            const QPoint origin = RotatePoint(QPoint(x + offset, y), p0, Angle);
            QTransform t;
            t.translate(origin.x(), origin.y());
            t.rotate(-Angle);
            p.setTransform(t * base);
        });
    }
    p.restore();
}

// Device pixels of a narrow bar. On paper and in images whole pixels, as a
// hinted font would give, keep wide and narrow bars apart for a reader at
// low resolution; rounded down where rounding up would take a line past the
// frame's edge. The screen, previews included, shows the true proportions.
double TCDLText::BarModule(const TPaintContext &c, const TPaintCache &pc, size_t shown) const
{
    const double m = Code39Module(FontSize) * c.ScaleX;
    if (m < 1 || c.Interactive || c.Preview)
        return m;
    int widest = 0;
    for (size_t i = 0; i < shown; ++i)
        widest = std::max(widest, pc.Bars[i].Modules);
    const double up = std::round(m);
    return up * widest > std::max(1, RoundEven(Width * c.ScaleX)) ? std::floor(m) : up;
}

// Words spread so the line reaches the right edge: the free width is shared
// out among the gaps, the first gaps taking the remainders' pixels last.
void TCDLText::ShapeJustified(TPieceSource &source, const QFont &font, QStringView line, int width)
{
    const QFontMetrics fm(font);
    int n = int(line.count(QLatin1Char(' ')));
    QString bare = line.toString();
    bare.remove(QLatin1Char(' '));
    int free = width - fm.horizontalAdvance(bare);
    int offset = 0;
    ForEachWord(line, [&](QStringView word) {
        const int advance = qRound(source.Add(word, offset));
        if (n > 0) {
            offset += advance + free / n;
            free -= free / n;
        }
        --n;
    });
    source.Glyphs.EndLine(width);
}
