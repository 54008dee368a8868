#pragma once
// Text set along a circle, character by character, each turned to follow
// the curve. (X, Y) is the start point on the circle, (X2, Y2) its centre.

#include "FontFrame.h"
#include "TextLayout.h"

struct TCharInfo
{
    QChar Char;
    int32_t Width = 0;       // model units
    double Angle = 0;        // of the character's centre from the start angle, radians
    QPoint Position;         // reference point, device coordinates of the last paint
    int32_t FontAngle = 0;   // tenths of a degree
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
    void PaintAt(TPaintContext &c, bool keepHandles) override;
    bool TestMouseHit(int x, int y) const override;
    bool MouseMove(int32_t x, int32_t y, int32_t dx, int32_t dy, int mode) override;
    bool IsInRect(const TRect &r) const override;
    TRect GetBoundRect() const override;
    std::vector<QPoint> ModelHandles() const override { return {QPoint(X2, Y2), QPoint(X, Y)}; }
    void ShiftBy(int64_t dx, int64_t dy) override { ShiftWithSecondPoint(dx, dy); }

    // Lays the characters out from drag points 1 (centre) and 2 (start).
    void ReCalc();
    QString PlainText() const { return JoinParagraphs(Values); }
    void CopyToClip(TClipData &clip) const override
    {
        TCDLFrame::CopyToClip(clip);
        clip.HasText = true;
        clip.Text = PlainText();
    }

    bool Turned() const { return Angle == 180; }

    std::vector<TCharInfo> CharList;
    double Radius = 1.0;
    double StartAngle = 0, EndAngle = 0;
    int32_t InnerRadius = 0, OuterRadius = 0;
    int32_t LineHeight = 0;
};

// p rotated about c by theta radians, counter-clockwise on the page.
QPoint RotateAbout(QPoint p, QPoint c, double theta);
