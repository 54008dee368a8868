#include "GlyphLines.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// One copy of each face in use, so frames share it instead of holding one
// each; trimmed when zooming through many sizes has filled it.
QRawFont SharedFont(const QRawFont &font)
{
    thread_local std::vector<QRawFont> fonts;
    const auto it = std::find(fonts.begin(), fonts.end(), font);
    if (it != fonts.end())
        return *it;
    if (fonts.size() >= 64)
        fonts.clear();
    fonts.push_back(font);
    return font;
}

} // namespace

void TGlyphLines::Clear()
{
    m_glyphs.clear();
    m_positions.clear();
    m_pieces.clear();
    m_lineEnds.clear();
    m_fonts.clear();
    m_asText.clear();
}

void TGlyphLines::Squeeze()
{
    m_glyphs.shrink_to_fit();
    m_positions.shrink_to_fit();
    m_pieces.shrink_to_fit();
    m_lineEnds.shrink_to_fit();
    m_fonts.shrink_to_fit();
}

double TGlyphLines::AddPiece(const QString &text, const QFont &font, int offset)
{
    const bool special = std::any_of(text.begin(), text.end(), [](QChar ch) {
        return ch == QLatin1Char('\t') || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator
               || ch == QChar::ObjectReplacementCharacter;
    });
    if (special) {
        m_pieces.push_back({offset, uint32_t(m_asText.size()), 0, AsText, -1});
        m_asText.push_back({text, font});
        return QFontMetricsF(font).horizontalAdvance(text);
    }
    // Shaped as drawText shapes it: one unwrapped line, left to right.
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Qt::LeftToRight);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(std::numeric_limits<int>::max() / 4);
    layout.endLayout();
    const QPointF baseline(line.x(), line.y() + line.ascent());
    const size_t firstPiece = m_pieces.size();
    for (const QGlyphRun &run : line.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        const QRawFont raw = SharedFont(run.rawFont());
        auto f = std::find(m_fonts.begin(), m_fonts.end(), raw);
        if (f == m_fonts.end())
            f = m_fonts.insert(f, raw);
        m_pieces.push_back(
            {offset, uint32_t(m_glyphs.size()), uint32_t(glyphs.size()), uint16_t(f - m_fonts.begin()), -1});
        m_glyphs.insert(m_glyphs.end(), glyphs.begin(), glyphs.end());
        for (const QPointF &pos : positions)
            m_positions.push_back(pos - baseline);
    }
    // The advance drawText and the font metrics give the text.
    const double advance = line.cursorToX(int(text.size())) - line.cursorToX(0);
    if (!font.underline() || m_pieces.size() == firstPiece)
        return advance;
    // drawText's underline: from the text's start to its advance rounded
    // down, below the baseline by the font's offset rounded up to a pixel
    // centre but kept within the descent.
    const QFontMetricsF fm(font);
    m_pieces.back().Underline = int32_t(std::floor(advance));
    const double below = fm.underlinePos();
    m_underlineY = std::ceil(below) + 0.5;
    if (below <= fm.descent())
        m_underlineY = std::min(m_underlineY, fm.descent() - 0.5);
    m_underlineWidth = fm.lineWidth();
    return advance;
}

void TGlyphLines::DrawPiece(QPainter &p, const TPiece &piece, int ascent) const
{
    if (piece.Font == AsText) {
        const TAsText &t = m_asText[piece.First];
        p.setFont(t.Font);
        p.drawText(0, ascent, t.Text);
        return;
    }
    // Reused: a glyph run is a small allocation of its own.
    thread_local QGlyphRun run;
    run.setRawFont(m_fonts[piece.Font]);
    run.setRawData(m_glyphs.data() + piece.First, m_positions.data() + piece.First, int(piece.Count));
    p.drawGlyphRun(QPointF(0, ascent), run);
    if (piece.Underline < 0)
        return;
    const QPen old = p.pen();
    QPen pen = old;
    pen.setStyle(Qt::SolidLine);
    pen.setWidthF(m_underlineWidth);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    // As drawText: a turned or scaled underline is antialiased unless it
    // is turned by a multiple of 90 degrees.
    const QTransform &m = p.worldTransform();
    const bool quarter = qFuzzyIsNull(m.m11() - m.m22()) && qFuzzyIsNull(m.m12() + m.m21())
                         && ((qFuzzyIsNull(m.m11()) && qFuzzyIsNull(std::abs(m.m12()) - 1))
                             || (qFuzzyIsNull(m.m11() + 1) && qFuzzyIsNull(m.m12())));
    const bool smooth = !p.testRenderHint(QPainter::Antialiasing) && m.type() >= QTransform::TxScale && !quarter;
    if (smooth)
        p.setRenderHint(QPainter::Antialiasing, true);
    const double y = ascent + m_underlineY;
    p.drawLine(QLineF(0, y, piece.Underline, y));
    if (smooth)
        p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(old);
}
