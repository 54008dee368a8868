#pragma once
// Text set along a circle, character by character, each turned to follow
// the curve. (X, Y) is the start point on the circle, (X2, Y2) its centre.

#include "FontFrame.h"
#include "TextLayout.h"

// A character as laid out in model units; where it lands on a device is the
// frame's geometry (TPlacedChar, one per character).
struct TCharInfo
{
    QChar Char;
    int32_t Width = 0; // model units
    double Angle = 0;  // of the character's centre from the start angle, radians
};

class TCDLRText : public TCDLFontFrame
{
public:
    TCDLRText(TCDLPage *page, int32_t x, int32_t y);
    static const TFrameKind Descriptor;
    const TFrameKind &Kind() const override { return Descriptor; }
    TRecordLayout RecordLayout() const override;
    QString Verbose() const override;
    void SetDefaults() override {}
    TFrameGeometry Geometry(const TPaintContext &c) const override;
    // Its characters follow the text and font too.
    bool GeometryFollowsKey() const override { return false; }
    void PaintAt(TPaintContext &c, const TFrameGeometry &g) const override;
    bool TestMouseHit(const TFrameGeometry &g, int x, int y) const override;
    bool MouseMove(int32_t x, int32_t y, int32_t dx, int32_t dy, int mode) override;
    bool IsInRect(const TFrameGeometry &g, const TRect &r) const override;
    TRect GetBoundRect() const override;
    int InkMargin(const TPaintContext &c) const override;
    std::vector<QPoint> ModelHandles() const override { return {QPoint(X2, Y2), QPoint(X, Y)}; }
    void ShiftBy(int64_t dx, int64_t dy) override { ShiftWithSecondPoint(dx, dy); }

    // The characters and their angles along the circle, the radius (model
    // units from start point to centre, 1.0 when none) and the line height.
    // A memo of the model alone, rebuilt when asked for after anything it
    // depends on changed; Geometry places the characters on a device from it.
    const std::vector<TCharInfo> &Chars() const
    {
        ReCalc();
        return m_chars;
    }
    double Radius() const
    {
        ReCalc();
        return m_radius;
    }
    int32_t LineHeight() const
    {
        ReCalc();
        return m_lineHeight;
    }
    QString PlainText() const { return JoinParagraphs(Values); }
    void CopyToClip(TClipData &clip) const override
    {
        TCDLFrame::CopyToClip(clip);
        clip.HasText = true;
        clip.Text = PlainText();
    }

    bool Turned() const { return Angle == 180; }

private:
    // Brings the memo up to date; skipped while nothing it depends on changed.
    void ReCalc() const;
    mutable std::vector<TCharInfo> m_chars;
    mutable double m_radius = 1.0;
    mutable int32_t m_lineHeight = 0;
    struct TLayoutKey
    {
        QString Text, FontName;
        int32_t FontSize = -1, X = 0, Y = 0, X2 = 0, Y2 = 0;
        int FontGeneration = -1;
        bool Bold = false, Italic = false, Underline = false, Turned = false;
        bool operator==(const TLayoutKey &) const = default;
    };
    mutable TLayoutKey m_layoutKey;
    // The angle the whole text spans, radians, negative when turned.
    mutable double m_span = 0;
};

// p rotated about c by theta radians, counter-clockwise on the page.
QPoint RotateAbout(QPoint p, QPoint c, double theta);
