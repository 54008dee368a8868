#pragma once
// Text measurement and line layout shared by the text-like frames. Layout
// runs in model units on the reference context, so a document lays out the
// same on screen, in a PDF and on a printer.

#include <QFont>
#include <QFontMetrics>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TCDLFontFrame;
struct TCellEntry;
class TStreamReader;
class TStreamWriter;

enum class TWordKind : uint8_t { Word = 1, Space = 2, ParagraphEnd = 3 };

struct TWordInfo
{
    QString Text;
    std::vector<int32_t> Widths;
    TWordKind Kind = TWordKind::Word;
    int32_t TotalWidth = 0;
};

// A line is a piece of its paragraph, blanks at its end left out; it views
// the paragraph list it was broken from, which its owner keeps.
struct TLineInfo
{
    QStringView Text;
    // Last line of its paragraph (not ended by wrapping).
    bool ParagraphEnd = false;
};

// Grows whenever the installed fonts change; layouts and font lookups made
// under an older generation are stale.
int FontGeneration();

// A face's name without the foundry the font database may add ("C059
// [UKWN]" is C059): documents name faces as other machines know them.
QString FontFamilyName(const QString &family);

// The frame's face and style with ascent plus descent of cellHeight pixels.
// A missing face is logged once with the face used in its place.
QFont CellFont(const TCDLFontFrame &f, int cellHeight);
// The cell height in device pixels that a font size is drawn at under a
// vertical scale: 4 x size x scale, truncated, at least 1.
int CellPixels(int32_t fontSize, double scaleY);

// Widths and heights in model units: the font is measured on the reference
// context at 16 x FontSize and the results are divided by 4.
class TTextMeasure
{
public:
    explicit TTextMeasure(const TCDLFontFrame &f);
    // A bar code set without its font: each character the same advance, or
    // none where draws says it makes no symbol character. Heights stay the
    // font's.
    void UseFixedAdvance(int32_t advance, bool (*draws)(QChar))
    {
        m_advance = advance;
        m_draws = draws;
    }
    int32_t CharWidth(QChar ch) const
    {
        if (m_draws)
            return m_draws(ch) ? m_advance : 0;
        if (ch.unicode() >= m_latin->size())
            return m_metrics.horizontalAdvance(ch) / 4;
        int32_t &w = (*m_latin)[ch.unicode()];
        if (w < 0)
            w = m_metrics.horizontalAdvance(ch) / 4;
        return w;
    }
    int32_t Width(const QString &s) const
    {
        if (!m_draws)
            return m_metrics.horizontalAdvance(s) / 4;
        int32_t w = 0;
        for (QChar ch : s)
            w += CharWidth(ch);
        return w;
    }
    int32_t LineHeight() const { return m_lineHeight; }

private:
    explicit TTextMeasure(const TCellEntry &e);
    QFontMetrics m_metrics;
    // CharWidth of the first 256 characters, each measured once per font
    // and thread (-1 until then): measuring one costs as much as breaking
    // a whole line.
    std::shared_ptr<std::array<int32_t, 256>> m_latin;
    int32_t m_lineHeight;
    int32_t m_advance = 0;
    bool (*m_draws)(QChar) = nullptr;
};

// Umlauts spelled out, blanks as the space string, start string at both ends.
QString BarcodeTransform(QString text, const QString &start, const QString &space);
// With the settings' start and space strings.
QString BarcodeTransform(const QString &text);

std::vector<TWordInfo> SplitWords(const QStringList &paragraphs, const TTextMeasure &m);
// Lines of at most width: broken at blanks, a word wider than a line broken
// where it reaches the edge, blanks kept on the line before the break. The
// lines view paragraphs.
std::vector<TLineInfo> BreakLines(const QStringList &paragraphs, const TTextMeasure &m, int32_t width);

// Paragraph texts as records hold them: joined by CR LF, zero-terminated,
// behind a 16-bit length.
inline constexpr int MaxRecordTextBytes = 65534;
QString JoinParagraphs(const QStringList &paragraphs);
QStringList SplitParagraphs(const QString &text);
// Throws ELocalizedError naming the limit when the text would not fit the
// record's length field.
void CheckRecordText(const QString &joined);
void WriteRecordText(TStreamWriter &out, const QStringList &paragraphs);
QStringList ReadRecordText(TStreamReader &in);
