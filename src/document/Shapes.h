#pragma once
// Plain geometry frames: line, rectangle, circle and ellipse.

#include "Frame.h"

class TCDLLinie : public TCDLFrame
{
public:
    TCDLLinie(TCDLPage *page, int32_t x, int32_t y);
    static const TFrameKind Descriptor;
    const TFrameKind &Kind() const override { return Descriptor; }
    TRecordLayout RecordLayout() const override;
    QString Verbose() const override;
    void SetDefaults() override;
    TFrameGeometry Geometry(const TPaintContext &c) const override;
    void PaintAt(TPaintContext &c, const TFrameGeometry &g) const override;
    bool TestMouseHit(const TFrameGeometry &g, int x, int y) const override;
    bool MouseMove(int32_t x, int32_t y, int32_t dx, int32_t dy, int mode) override;
    TRect GetBoundRect() const override;
    std::vector<QPoint> ModelHandles() const override { return {QPoint(X, Y), QPoint(X2, Y2)}; }
    void ShiftBy(int64_t dx, int64_t dy) override { ShiftWithSecondPoint(dx, dy); }
};

class TCDLRechteck : public TCDLFrame
{
public:
    TCDLRechteck(TCDLPage *page, int32_t x, int32_t y);
    static const TFrameKind Descriptor;
    const TFrameKind &Kind() const override { return Descriptor; }
    TRecordLayout RecordLayout() const override;
    QString Verbose() const override;
};

// Centre (X2, Y2), rim point (X, Y).
class TCDLKreis : public TCDLFrame
{
public:
    TCDLKreis(TCDLPage *page, int32_t x, int32_t y);
    static const TFrameKind Descriptor;
    const TFrameKind &Kind() const override { return Descriptor; }
    TRecordLayout RecordLayout() const override;
    QString Verbose() const override;
    // The click point is the rim; the centre stays where it is.
    void SetDefaults() override;
    TFrameGeometry Geometry(const TPaintContext &c) const override;
    void PaintAt(TPaintContext &c, const TFrameGeometry &g) const override;
    bool TestMouseHit(const TFrameGeometry &g, int x, int y) const override;
    bool MouseMove(int32_t x, int32_t y, int32_t dx, int32_t dy, int mode) override;
    bool IsInRect(const TFrameGeometry &g, const TRect &r) const override;
    TRect GetBoundRect() const override;
    std::vector<QPoint> ModelHandles() const override { return {QPoint(X2, Y2), QPoint(X, Y)}; }
    void ShiftBy(int64_t dx, int64_t dy) override { ShiftWithSecondPoint(dx, dy); }
};

class TCDLEllipse : public TCDLFrame
{
public:
    TCDLEllipse(TCDLPage *page, int32_t x, int32_t y);
    static const TFrameKind Descriptor;
    const TFrameKind &Kind() const override { return Descriptor; }
    TRecordLayout RecordLayout() const override;
    QString Verbose() const override;
    // The rectangle's, with the outline polygon.
    TFrameGeometry Geometry(const TPaintContext &c) const override;
    void PaintAt(TPaintContext &c, const TFrameGeometry &g) const override;
    bool TestMouseHit(const TFrameGeometry &g, int x, int y) const override;
    bool IsInRect(const TFrameGeometry &g, const TRect &r) const override;

    static constexpr int PolygonPoints = 80;
    // The outline polygon in device coordinates under c.
    std::array<QPoint, PolygonPoints> Polygon(const TPaintContext &c) const;
};
