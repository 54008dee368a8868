#pragma once
// Shaped text kept for repainting: the glyphs and positions QPainter::drawText
// would compute for a string, stored in one block, drawn again without
// shaping. A page may keep 30,000 of these, so a glyph costs its index and
// one float: glyphs share their line's baseline, and a y offset is kept only
// for a text that has one.

#include <QFont>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class QPainter;

// While one lives on a thread, texts shaped there in the same font are
// shaped once: the lines of a page's frames repeat (numbered titles, the
// words of justified lines), and shaping is most of laying them out. What
// it keeps goes with it, so a page holds no more than its own lines.
class TShapeSession
{
public:
    TShapeSession();
    ~TShapeSession();
    TShapeSession(const TShapeSession &) = delete;
    TShapeSession &operator=(const TShapeSession &) = delete;

    struct TCache;

private:
    // Null where a session further out serves.
    std::unique_ptr<TCache> m_cache;
};

class TGlyphLines
{
public:
    TGlyphLines() = default;
    ~TGlyphLines() { Release(); }
    TGlyphLines(const TGlyphLines &) = delete;
    TGlyphLines &operator=(const TGlyphLines &) = delete;
    TGlyphLines(TGlyphLines &&other) noexcept { Swap(other); }
    TGlyphLines &operator=(TGlyphLines &&other) noexcept
    {
        Swap(other);
        return *this;
    }

    // Building, one text at a time per thread: Clear, then for each line
    // its pieces and EndLine, then Finish, which moves the lines into the
    // block.
    void Clear();
    // Shapes text in font and adds it to the current line as a piece drawn
    // from the line's origin moved by offset pixels along the baseline;
    // returns its advance.
    double AddPiece(const QString &text, const QFont &font, int offset);
    // Adds piece k of from (numbered in the order added) as AddPiece would
    // add its text again in the same font, without shaping it again.
    double CopyPiece(const TGlyphLines &from, size_t k, int offset);
    size_t PieceCount() const { return m_addedCount; }
    // Ends the current line, width pixels wide; lines are numbered from 0
    // in the order ended.
    void EndLine(int width);
    void Finish();

    size_t LineCount() const { return m_lineCount; }
    int LineWidth(size_t i) const { return Widths()[i]; }

    // For each piece of line i: setOrigin(offset) sets the painter's
    // transform, then the glyphs are drawn with their baseline at y = ascent.
    template <class SetOrigin> void DrawLine(QPainter &p, size_t i, int ascent, SetOrigin setOrigin) const
    {
        const uint32_t begin = i == 0 ? 0 : LineEnds()[i - 1];
        for (uint32_t k = begin; k < LineEnds()[i]; ++k) {
            setOrigin(Pieces()[k].Offset);
            DrawPiece(p, Pieces()[k], ascent);
        }
    }

    // How glyph positions are kept: x alone on the baseline, x and y, or,
    // where a float would round one, as QPointF.
    enum class TPositions : uint8_t { X, XY, Exact };

private:
    struct TPiece
    {
        int32_t Offset;
        uint32_t First, Count;
        // On a text's last run: its underline's length, or -1 for none.
        int32_t Underline;
        // An index into the faces, or AsText with First an index into m_asText.
        uint16_t Font;
    };
    static constexpr uint16_t AsText = 0xFFFF;
    // What one AddPiece added: its runs and its advance.
    struct TAdded
    {
        double Advance;
        uint32_t First, Count;
    };
    // A text QTextLayout would lay out otherwise than drawText (tabs,
    // separators): kept as text and drawn by drawText.
    struct TAsText
    {
        QString Text;
        QFont Font;
    };
    void DrawPiece(QPainter &p, const TPiece &piece, int ascent) const;
    void Release();
    double AddAsText(const QString &text, const QFont &font, int offset);
    double Shape(const QString &text, const QFont &font, int offset);
    double AppendShaped(const QString &text, const QFont &font, int offset);
    void Swap(TGlyphLines &other) noexcept;
    QPointF Position(size_t glyph) const;
    // The lines being built.
    struct TScratch;
    static TScratch &Scratch();

    // The block: faces, what each AddPiece added, line ends, line widths,
    // pieces, glyph indexes, then the positions as m_positions says.
    const QRawFont *Fonts() const { return reinterpret_cast<const QRawFont *>(m_block.get()); }
    const TAdded *Added() const { return reinterpret_cast<const TAdded *>(Fonts() + m_fontCount); }
    const uint32_t *LineEnds() const { return reinterpret_cast<const uint32_t *>(Added() + m_addedCount); }
    const int32_t *Widths() const { return reinterpret_cast<const int32_t *>(LineEnds() + m_lineCount); }
    const TPiece *Pieces() const { return reinterpret_cast<const TPiece *>(Widths() + m_lineCount); }
    const quint32 *Glyphs() const { return reinterpret_cast<const quint32 *>(Pieces() + m_pieceCount); }
    // Aligned for QPointF.
    static size_t PositionsAt(size_t glyphsEnd) { return (glyphsEnd + 7) & ~size_t(7); }
    const std::byte *Positions() const
    {
        return m_block.get()
               + PositionsAt(size_t(reinterpret_cast<const std::byte *>(Glyphs() + m_glyphCount) - m_block.get()));
    }
    std::unique_ptr<std::byte[]> m_block;
    uint32_t m_lineCount = 0, m_pieceCount = 0, m_glyphCount = 0, m_addedCount = 0;
    uint16_t m_fontCount = 0;
    TPositions m_positions = TPositions::X;
    std::vector<TAsText> m_asText;
    // Below the baseline, as drawText puts it for the font.
    double m_underlineY = 0, m_underlineWidth = 0;
};
