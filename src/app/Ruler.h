#pragma once
// The rulers along the top and left of a document window: the shown page's
// scale in the current unit counted from the page's Origin, a mark at the
// pointer, and the start of a guide-line drag.

#include <QWidget>

class TCDLPage;

// Displayed units between two labelled marks: about two and a half label
// widths, never below one.
int RulerLabelStep(int labelWidth, int divisor, double scale);

class TRuler : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Thickness = 20;
    TRuler(Qt::Orientation o, QWidget *parent);

    // The page shown and the control it paints into.
    void SetPage(TCDLPage *page, QWidget *pageControl);
    // Pointer position in the page control's coordinates, -1 for none.
    void SetMark(int devicePos);
    int Mark() const { return m_mark; }
    // Last label step drawn, for inspection.
    int LastStep() const { return m_step; }

signals:
    // A guide-line drag left the ruler; pos is in the page control.
    void guideDragged(bool horizontal, int pos, bool finished);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;

private:
    int along(QPoint p) const { return m_orient == Qt::Horizontal ? p.x() : p.y(); }
    int pagePos(QPoint rulerPoint) const;
    void drawMark(QPainter &p, int pos, int from, int to);
    void drawLabel(QPainter &p, int pos, const QString &text);

    Qt::Orientation m_orient;
    TCDLPage *m_page = nullptr;
    QWidget *m_control = nullptr;
    int m_mark = -1;
    int m_step = 1;
    bool m_dragging = false;
};
