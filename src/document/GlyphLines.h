#pragma once
// Shaped text kept for repainting: the glyphs and positions QPainter::drawText
// would compute for a string, stored flat, drawn again without shaping.

#include <QFont>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <cstdint>
#include <vector>

class QPainter;

class TGlyphLines
{
public:
    // Shapes text in font and adds it to the current line as a piece drawn
    // from the line's origin moved by offset pixels along the baseline;
    // returns its advance.
    double AddPiece(const QString &text, const QFont &font, int offset);
    // Ends the current line; lines are numbered from 0 in the order ended.
    void EndLine() { m_lineEnds.push_back(uint32_t(m_pieces.size())); }
    size_t LineCount() const { return m_lineEnds.size(); }
    // Gives back what growing the lists left spare, once all lines are in.
    void Squeeze();
    void Clear();

    // For each piece of line i: setOrigin(offset) sets the painter's
    // transform, then the glyphs are drawn with their baseline at y = ascent.
    template <class SetOrigin> void DrawLine(QPainter &p, size_t i, int ascent, SetOrigin setOrigin) const
    {
        const uint32_t begin = i == 0 ? 0 : m_lineEnds[i - 1];
        for (uint32_t k = begin; k < m_lineEnds[i]; ++k) {
            setOrigin(m_pieces[k].Offset);
            DrawPiece(p, m_pieces[k], ascent);
        }
    }

private:
    // A text QTextLayout would lay out otherwise than drawText (tabs,
    // separators): kept as text and drawn by drawText.
    struct TAsText
    {
        QString Text;
        QFont Font;
    };
    std::vector<TAsText> m_asText;
    static constexpr uint16_t AsText = 0xFFFF;
    struct TPiece
    {
        int32_t Offset;
        uint32_t First, Count;
        // An index into m_fonts, or AsText with First an index into m_asText.
        uint16_t Font;
        // On a text's last run: its underline's length, or -1 for none.
        int32_t Underline;
    };
    void DrawPiece(QPainter &p, const TPiece &piece, int ascent) const;
    std::vector<quint32> m_glyphs;
    std::vector<QPointF> m_positions;
    std::vector<TPiece> m_pieces;
    std::vector<uint32_t> m_lineEnds;
    // The distinct faces of the pieces; most texts have one.
    std::vector<QRawFont> m_fonts;
    // Below the baseline, as drawText puts it for the font.
    double m_underlineY = 0, m_underlineWidth = 0;
};
