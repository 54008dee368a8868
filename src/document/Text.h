#pragma once
// The text frame: paragraphs in one font inside a rotated rectangle, and,
// with the barcode flag, the bar-code frame.

#include "Barcode.h"
#include "FontFrame.h"
#include "GlyphLines.h"
#include "TextLayout.h"

class TCDLText : public TCDLFontFrame
{
public:
    TCDLText(TCDLPage *page, int32_t x, int32_t y);
    static const TFrameKind Descriptor;
    const TFrameKind &Kind() const override { return Descriptor; }
    TRecordLayout RecordLayout() const override;
    QString Verbose() const override;
    void PaintAt(TPaintContext &c, const TFrameGeometry &g) const override;
    int InkMargin(const TPaintContext &c) const override;
    // The text as plain text beside the record; a paste replaces the text.
    void CopyToClip(TClipData &clip) const override;
    void PasteFromClip(const TClipData &clip) override;

    // Characters plain Code 39 cannot carry, left out of a bar code drawn
    // without its font; empty when nothing is left out.
    QString BarcodeRejects() const;

    // The layout: words, lines and line height in model units, measured on
    // the reference context. The lines are a memo of the model alone, rebuilt
    // when asked for after anything they depend on changed, so a const frame
    // has them; the words are only measured on the way and not kept. The
    // lines view the paragraphs the layout was made from, valid until the
    // next layout.
    std::vector<TWordInfo> Words() const;
    const std::vector<TLineInfo> &Lines() const
    {
        ReCalc();
        return m_lines;
    }
    int32_t LineHeight() const
    {
        ReCalc();
        return m_lineHeight;
    }

    // Clipboard text: paragraphs joined by CR LF.
    QString PlainText() const { return JoinParagraphs(Values); }
    // Replaces the text; throws ELocalizedError (and changes nothing) when
    // it is longer than a paste may bring or the record can hold.
    void SetPlainText(const QString &text);
    static constexpr int MaxPasteChars = 29999;

protected:
    // The paragraphs as laid out (after the barcode transformation).
    virtual QStringList LayoutParagraphs() const;
    // The laid-out lines into the rectangle of g's drag points 1..4.
    void PaintLines(TPaintContext &c, const TFrameGeometry &g) const;
    // A bar code drawn without its font.
    bool PaintsAsBarcode() const;

private:
    // Brings the layout up to date; skipped while nothing it depends on has
    // changed since the last run.
    void ReCalc() const;
    TTextMeasure Measure() const;
    mutable std::vector<TLineInfo> m_lines;
    mutable int32_t m_lineHeight = 0;
    struct TLayoutKey
    {
        QStringList Paragraphs;
        QString FontName;
        int32_t FontSize = -1, Width = -1;
        int FontGeneration = -1;
        bool Bold = false, Italic = false, Underline = false;
        bool operator==(const TLayoutKey &) const = default;
    };
    mutable TLayoutKey m_layoutKey;
    // The shaped glyphs and line widths for one device cell height and
    // width; rebuilt when these or the layout change. Keyed by all it
    // depends on, so a paint at another scale only rebuilds it and changes
    // nothing else.
    struct TPaintCache
    {
        int Cell = -1;
        // Device width and alignment the justified lines were spread for.
        int Width = -1;
        int32_t Alignment = -1;
        int Ascent = 0;
        // When the text paints as a bar code, per line; glyphs otherwise.
        bool AsBars = false;
        // The layout changed since the glyphs were shaped.
        bool Stale = false;
        std::vector<TCode39Line> Bars;
        TGlyphLines Glyphs;
        // The lines the glyphs were shaped for, when a new layout in the
        // same face replaced them: pieces of the same text are copied.
        struct TShapedLines
        {
            std::vector<TLineInfo> Lines;
            QStringList Paragraphs;
        };
        std::unique_ptr<TShapedLines> Shaped;
    };
    mutable TPaintCache m_paint;
    const TPaintCache &PaintCache(const TPaintContext &c, int width) const;
    bool OutsideCanvas(const TPaintContext &c, const TFrameGeometry &g) const;
    double BarModule(const TPaintContext &c, const TPaintCache &pc, size_t shown) const;
    // Adds a piece of a line: copied where the last glyphs had it, shaped otherwise.
    struct TPieceSource;
    static void ShapeJustified(TPieceSource &source, const QFont &font, QStringView line, int width);
};
