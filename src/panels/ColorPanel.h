#pragma once
// rColorPanel: the pen or the fill colour from the palette or by its
// components, and "no fill". Which of the two the controls act on stays
// from frame to frame; a kind without a fill leaves them on the pen.

#include "PropertyPanel.h"
#include "Units.h"

class QCheckBox;
class QSpinBox;
class QToolButton;
class TColorGrid;
class TColorSwatch;

class TColorPanel final : public QWidget, public TPropertyPanel
{
public:
    explicit TColorPanel(QWidget *parent);
    QWidget *Widget() override { return this; }
    TPanels Bits() const override { return TPanel::ColorPanel | TPanel::FillColor; }
    void Fill(const TCDLFrame &f) override;
    void WriteBack(TCDLFrame &f) override;
    void SetupStrings() override;

private:
    bool usesFill() const;
    void targetClicked(bool fill);
    void showColor();
    void takeColor(TColor c, QObject *run);

    QToolButton *m_pen, *m_fill;
    TColorSwatch *m_swatch;
    TColorGrid *m_grid;
    QSpinBox *m_rgb[3];
    QCheckBox *m_noFill;
    // The shown frame's colours.
    TColor m_penColor = 0, m_fillColor = 0;
    TFieldControls m_fields;
};
