#pragma once
// rCoordsPanel: the shown frame's place and size in the current unit,
// relative to the page's zero point. Lines, circles and round text are
// placed by two points, the other kinds by a rectangle.

#include "PropertyPanel.h"

#include <QPoint>

class QLabel;
class QLineEdit;

class TCoordsPanel final : public QWidget, public TPropertyPanel
{
public:
    explicit TCoordsPanel(QWidget *parent);
    QWidget *Widget() override { return this; }
    TPanels Bits() const override { return {}; }
    // The values only: the frame moved, was sized or the unit changed.
    void Fill(const TCDLFrame &f) override;
    // The field typed last, as a size snapshot was taken for it.
    void WriteBack(TCDLFrame &f) override;
    void SetupStrings() override;
    // Shows the two parts the frame is placed by.
    void ShowFrameParts(bool twoPoints);
    // The unit labels ("mm" or "inch") and the parts' common width.
    void ShowUnit();
    // Its size with the rectangle's two parts, before any frame is shown.
    QSize RectangleSize() const;

private:
    static constexpr int FieldCount = 6;
    void edited(int edit, const QString &text);
    void showValues();

    QWidget *m_parts[4];
    QLineEdit *m_edits[8];
    QLabel *m_captions[8];
    QLabel *m_units[8];
    // The shown frame's X, Y, Width, Height, X2, Y2 and the page's zero point.
    int64_t m_values[FieldCount] = {};
    bool m_stored[FieldCount] = {};
    QPoint m_origin;
    bool m_hasPage = false;
    int m_typed = -1;
};
