#pragma once
// The drawn controls of the property panels: the colour grid, the swatch of
// the chosen colour and the compass of the rotation panel.

#include "Units.h"

#include <QWidget>
#include <array>

// 16 columns by 13 rows: a grey ramp on top, then twelve hues, each from
// dark to light.
inline constexpr int PaletteColumns = 16;
inline constexpr int PaletteRows = 13;
TColor PaletteColor(int row, int column);

class TColorGrid : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Cell = 10;
    explicit TColorGrid(QWidget *parent = nullptr);
    QSize sizeHint() const override { return {PaletteColumns * Cell + 1, PaletteRows * Cell + 1}; }

signals:
    void cellSelected(int row, int column);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
};

class TColorSwatch : public QWidget
{
public:
    explicit TColorSwatch(QWidget *parent = nullptr);
    void SetColor(TColor c);
    TColor Color() const { return m_color; }
    QSize sizeHint() const override { return {40, 24}; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    TColor m_color = 0;
};

// A dial with the needle at the rotation angle, counter-clockwise.
class TCompass : public QWidget
{
public:
    explicit TCompass(QWidget *parent = nullptr);
    void SetAngle(int degrees);
    QSize sizeHint() const override { return {48, 48}; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int m_angle = 0;
};
