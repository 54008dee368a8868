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
#include <unordered_map>

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

// Runs as Shape appends them, by text and font.
struct TShapeSession::TCache
{
    struct TKey
    {
        QString Text;
        QFont Font;
        bool operator==(const TKey &) const = default;
    };
    struct THash
    {
        size_t operator()(const TKey &k) const noexcept { return qHash(k.Text, qHash(k.Font)); }
    };
    struct TRun
    {
        QRawFont Font;
        uint32_t First, Count;
    };
    struct TEntry
    {
        double Advance;
        uint32_t FirstRun, RunCount;
    };
    // A few megabytes: past it, what a long paint shaped first goes.
    static constexpr size_t MaxGlyphs = 1 << 18;

    std::unordered_map<TKey, TEntry, THash> Entries;
    std::vector<TRun> Runs;
    std::vector<quint32> Glyphs;
    std::vector<QPointF> Positions;

    void Clear()
    {
        Entries.clear();
        Runs.clear();
        Glyphs.clear();
        Positions.clear();
    }
};

namespace {
thread_local TShapeSession::TCache *t_shapeCache = nullptr;
} // namespace

TShapeSession::TShapeSession()
{
    if (t_shapeCache)
        return;
    m_cache = std::make_unique<TCache>();
    t_shapeCache = m_cache.get();
}

TShapeSession::~TShapeSession()
{
    if (m_cache)
        t_shapeCache = nullptr;
}

struct TGlyphLines::TScratch
{
    std::vector<quint32> Glyphs;
    std::vector<QPointF> Positions;
    std::vector<TPiece> Pieces;
    std::vector<TAdded> Added;
    std::vector<uint32_t> LineEnds;
    std::vector<int32_t> Widths;
    std::vector<QRawFont> Fonts;

    // The index of raw among the faces, added if new.
    uint16_t Face(const QRawFont &raw)
    {
        auto f = std::find(Fonts.begin(), Fonts.end(), raw);
        if (f == Fonts.end())
            f = Fonts.insert(f, raw);
        return uint16_t(f - Fonts.begin());
    }
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
    m_lineCount = m_pieceCount = m_glyphCount = m_addedCount = 0;
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
    s.Added.clear();
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
    m_addedCount = uint32_t(s.Added.size());
    // Positions come from 26.6 fixed point: a float holds them exactly
    // unless a line is hundreds of thousands of pixels long.
    const bool exact = std::all_of(s.Positions.begin(), s.Positions.end(), [](QPointF q) {
        return double(float(q.x())) == q.x() && double(float(q.y())) == q.y();
    });
    const bool onBaseline = std::all_of(s.Positions.begin(), s.Positions.end(), [](QPointF q) { return q.y() == 0; });
    m_positions = !exact ? TPositions::Exact : onBaseline ? TPositions::X : TPositions::XY;
    const size_t glyphsEnd = sizeof(QRawFont) * m_fontCount + sizeof(TAdded) * m_addedCount
                             + sizeof(uint32_t) * 2 * m_lineCount + sizeof(TPiece) * m_pieceCount
                             + sizeof(quint32) * m_glyphCount;
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
    put(s.Added);
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
    bool special = false;
    for (QChar ch : text)
        special |= ch == QLatin1Char('\t') || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator
                   || ch == QChar::ObjectReplacementCharacter;
    TScratch &s = Scratch();
    const uint32_t firstPiece = uint32_t(s.Pieces.size());
    const double advance = special ? AddAsText(text, font, offset) : Shape(text, font, offset);
    s.Added.push_back({advance, firstPiece, uint32_t(s.Pieces.size()) - firstPiece});
    return advance;
}

double TGlyphLines::AddAsText(const QString &text, const QFont &font, int offset)
{
    Scratch().Pieces.push_back({offset, uint32_t(m_asText.size()), 0, -1, AsText});
    // A copy: text may view characters that go before this does.
    m_asText.push_back({QString(text.constData(), text.size()), font});
    return QFontMetricsF(font).horizontalAdvance(text);
}

double TGlyphLines::Shape(const QString &text, const QFont &font, int offset)
{
    TScratch &s = Scratch();
    const size_t firstPiece = s.Pieces.size();
    const double advance = AppendShaped(text, font, offset);
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

// Appends text's runs in font as pieces at offset, from the session's
// cache where it has them; returns the advance.
double TGlyphLines::AppendShaped(const QString &text, const QFont &font, int offset)
{
    TScratch &s = Scratch();
    TShapeSession::TCache *const cache = t_shapeCache;
    if (cache) {
        const auto hit = cache->Entries.find({text, font});
        if (hit != cache->Entries.end()) {
            const TShapeSession::TCache::TEntry &e = hit->second;
            for (uint32_t r = e.FirstRun; r < e.FirstRun + e.RunCount; ++r) {
                const TShapeSession::TCache::TRun &run = cache->Runs[r];
                s.Pieces.push_back({offset, uint32_t(s.Glyphs.size()), run.Count, -1, s.Face(run.Font)});
                s.Glyphs.insert(s.Glyphs.end(), cache->Glyphs.begin() + run.First,
                                cache->Glyphs.begin() + run.First + run.Count);
                s.Positions.insert(s.Positions.end(), cache->Positions.begin() + run.First,
                                   cache->Positions.begin() + run.First + run.Count);
            }
            return e.Advance;
        }
    }
    // Shaped as drawText shapes it: one unwrapped line, left to right.
    static const QTextOption option = [] {
        QTextOption o;
        o.setWrapMode(QTextOption::NoWrap);
        o.setTextDirection(Qt::LeftToRight);
        o.setFlags(QTextOption::IncludeTrailingSpaces);
        return o;
    }();
    QTextLayout layout(text, font);
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
        s.Pieces.push_back(
            {offset, uint32_t(s.Glyphs.size()), uint32_t(glyphs.size()), -1, s.Face(SharedFont(run.rawFont()))});
        s.Glyphs.insert(s.Glyphs.end(), glyphs.begin(), glyphs.end());
        for (const QPointF &pos : positions)
            s.Positions.push_back(pos - baseline);
    }
    // The advance drawText and the font metrics give the text, in either
    // direction: cursor positions would measure only to a bidi run's edge.
    const double advance = line.horizontalAdvance();
    if (!cache)
        return advance;
    if (cache->Glyphs.size() > TShapeSession::TCache::MaxGlyphs)
        cache->Clear();
    const uint32_t firstRun = uint32_t(cache->Runs.size());
    for (size_t k = firstPiece; k < s.Pieces.size(); ++k) {
        const TPiece &piece = s.Pieces[k];
        cache->Runs.push_back({s.Fonts[piece.Font], uint32_t(cache->Glyphs.size()), piece.Count});
        cache->Glyphs.insert(cache->Glyphs.end(), s.Glyphs.begin() + piece.First,
                             s.Glyphs.begin() + piece.First + piece.Count);
        cache->Positions.insert(cache->Positions.end(), s.Positions.begin() + piece.First,
                                s.Positions.begin() + piece.First + piece.Count);
    }
    cache->Entries.emplace(TShapeSession::TCache::TKey{text, font},
                           TShapeSession::TCache::TEntry{advance, firstRun, uint32_t(cache->Runs.size()) - firstRun});
    return advance;
}

double TGlyphLines::CopyPiece(const TGlyphLines &from, size_t k, int offset)
{
    TScratch &s = Scratch();
    const TAdded added = from.Added()[k];
    const uint32_t firstPiece = uint32_t(s.Pieces.size());
    for (uint32_t r = added.First; r < added.First + added.Count; ++r) {
        TPiece piece = from.Pieces()[r];
        piece.Offset = offset;
        if (piece.Font == AsText) {
            m_asText.push_back(from.m_asText[piece.First]);
            piece.First = uint32_t(m_asText.size() - 1);
        } else {
            const uint16_t face = s.Face(from.Fonts()[piece.Font]);
            const uint32_t first = uint32_t(s.Glyphs.size());
            s.Glyphs.insert(s.Glyphs.end(), from.Glyphs() + piece.First, from.Glyphs() + piece.First + piece.Count);
            for (uint32_t i = 0; i < piece.Count; ++i)
                s.Positions.push_back(from.Position(piece.First + i));
            piece.First = first;
            piece.Font = face;
        }
        if (piece.Underline >= 0) {
            m_underlineY = from.m_underlineY;
            m_underlineWidth = from.m_underlineWidth;
        }
        s.Pieces.push_back(piece);
    }
    s.Added.push_back({added.Advance, firstPiece, added.Count});
    return added.Advance;
}

QPointF TGlyphLines::Position(size_t glyph) const
{
    if (m_positions == TPositions::Exact)
        return reinterpret_cast<const QPointF *>(Positions())[glyph];
    const float *x = reinterpret_cast<const float *>(Positions());
    return QPointF(x[glyph], m_positions == TPositions::XY ? x[m_glyphCount + glyph] : 0.0f);
}

void TGlyphLines::Swap(TGlyphLines &other) noexcept
{
    std::swap(m_block, other.m_block);
    std::swap(m_lineCount, other.m_lineCount);
    std::swap(m_pieceCount, other.m_pieceCount);
    std::swap(m_glyphCount, other.m_glyphCount);
    std::swap(m_addedCount, other.m_addedCount);
    std::swap(m_fontCount, other.m_fontCount);
    std::swap(m_positions, other.m_positions);
    std::swap(m_asText, other.m_asText);
    std::swap(m_underlineY, other.m_underlineY);
    std::swap(m_underlineWidth, other.m_underlineWidth);
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
