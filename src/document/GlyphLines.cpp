#include "GlyphLines.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <cstring>
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

struct TGlyphLines::TScratch
{
    std::vector<quint32> Glyphs;
    std::vector<QPointF> Positions;
    std::vector<TPiece> Pieces;
    std::vector<uint32_t> LineEnds;
    std::vector<int32_t> Widths;
    std::vector<QRawFont> Fonts;
};

TGlyphLines::TScratch &TGlyphLines::Scratch()
{
    thread_local TScratch scratch;
    return scratch;
}

void TGlyphLines::Release()
{
    for (uint16_t i = 0; i < m_fontCount; ++i)
        Fonts()[i].~QRawFont();
    m_block.reset();
    m_lineCount = m_pieceCount = m_glyphCount = 0;
    m_fontCount = 0;
    m_positions = TPositions::X;
    m_asText.clear();
}

void TGlyphLines::Clear()
{
    Release();
    TScratch &s = Scratch();
    s.Glyphs.clear();
    s.Positions.clear();
    s.Pieces.clear();
    s.LineEnds.clear();
    s.Widths.clear();
    s.Fonts.clear();
}

void TGlyphLines::EndLine(int width)
{
    TScratch &s = Scratch();
    s.LineEnds.push_back(uint32_t(s.Pieces.size()));
    s.Widths.push_back(width);
}

void TGlyphLines::Finish()
{
    const TScratch &s = Scratch();
    m_fontCount = uint16_t(s.Fonts.size());
    m_lineCount = uint32_t(s.LineEnds.size());
    m_pieceCount = uint32_t(s.Pieces.size());
    m_glyphCount = uint32_t(s.Glyphs.size());
    // Positions come from 26.6 fixed point: a float holds them exactly
    // unless a line is hundreds of thousands of pixels long.
    const bool exact = std::all_of(s.Positions.begin(), s.Positions.end(), [](QPointF q) {
        return double(float(q.x())) == q.x() && double(float(q.y())) == q.y();
    });
    const bool onBaseline = std::all_of(s.Positions.begin(), s.Positions.end(), [](QPointF q) { return q.y() == 0; });
    m_positions = !exact ? TPositions::Exact : onBaseline ? TPositions::X : TPositions::XY;
    const size_t glyphsEnd = sizeof(QRawFont) * m_fontCount + sizeof(uint32_t) * 2 * m_lineCount
                             + sizeof(TPiece) * m_pieceCount + sizeof(quint32) * m_glyphCount;
    const size_t perPosition = m_positions == TPositions::Exact ? sizeof(QPointF)
                               : m_positions == TPositions::XY  ? 2 * sizeof(float)
                                                                : sizeof(float);
    const size_t bytes = PositionsAt(glyphsEnd) + perPosition * m_glyphCount;
    m_block.reset(new std::byte[bytes]);
    std::byte *b = m_block.get();
    for (const QRawFont &f : s.Fonts) {
        new (b) QRawFont(f);
        b += sizeof(QRawFont);
    }
    auto put = [&b](const auto &v) {
        // An empty list's data() may be null, which memcpy must not get.
        if (v.empty())
            return;
        std::memcpy(b, v.data(), v.size() * sizeof(v[0]));
        b += v.size() * sizeof(v[0]);
    };
    put(s.LineEnds);
    put(s.Widths);
    put(s.Pieces);
    put(s.Glyphs);
    b = m_block.get() + PositionsAt(glyphsEnd);
    if (m_positions == TPositions::Exact) {
        put(s.Positions);
        return;
    }
    auto *x = reinterpret_cast<float *>(b);
    for (size_t i = 0; i < s.Positions.size(); ++i)
        x[i] = float(s.Positions[i].x());
    if (m_positions == TPositions::XY)
        for (size_t i = 0; i < s.Positions.size(); ++i)
            x[m_glyphCount + i] = float(s.Positions[i].y());
}

double TGlyphLines::AddPiece(const QString &text, const QFont &font, int offset)
{
    const bool special = std::any_of(text.begin(), text.end(), [](QChar ch) {
        return ch == QLatin1Char('\t') || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator
               || ch == QChar::ObjectReplacementCharacter;
    });
    TScratch &s = Scratch();
    if (special) {
        s.Pieces.push_back({offset, uint32_t(m_asText.size()), 0, -1, AsText});
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
    const size_t firstPiece = s.Pieces.size();
    for (const QGlyphRun &run : line.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        const QRawFont raw = SharedFont(run.rawFont());
        auto f = std::find(s.Fonts.begin(), s.Fonts.end(), raw);
        if (f == s.Fonts.end())
            f = s.Fonts.insert(f, raw);
        s.Pieces.push_back(
            {offset, uint32_t(s.Glyphs.size()), uint32_t(glyphs.size()), -1, uint16_t(f - s.Fonts.begin())});
        s.Glyphs.insert(s.Glyphs.end(), glyphs.begin(), glyphs.end());
        for (const QPointF &pos : positions)
            s.Positions.push_back(pos - baseline);
    }
    // The advance drawText and the font metrics give the text.
    const double advance = line.cursorToX(int(text.size())) - line.cursorToX(0);
    if (!font.underline() || s.Pieces.size() == firstPiece)
        return advance;
    // drawText's underline: from the text's start to its advance rounded
    // down, below the baseline by the font's offset rounded up to a pixel
    // centre but kept within the descent.
    const QFontMetricsF fm(font);
    s.Pieces.back().Underline = int32_t(std::floor(advance));
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
    run.setRawFont(Fonts()[piece.Font]);
    const QPointF *positions = reinterpret_cast<const QPointF *>(Positions()) + piece.First;
    QVarLengthArray<QPointF, 256> spread;
    if (m_positions != TPositions::Exact) {
        const float *x = reinterpret_cast<const float *>(Positions()) + piece.First;
        const float *y = m_positions == TPositions::XY ? x + m_glyphCount : nullptr;
        spread.resize(piece.Count);
        for (uint32_t i = 0; i < piece.Count; ++i)
            spread[i] = QPointF(x[i], y ? y[i] : 0.0f);
        positions = spread.data();
    }
    run.setRawData(Glyphs() + piece.First, positions, int(piece.Count));
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
