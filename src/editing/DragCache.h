#pragma once
// Painting during a drag on a page of thousands of frames: the frames that
// stay put are painted once into an image, and each step only puts that image
// back and draws the dragged outlines over it.
// The image is rebuilt when the mapping or the control size changes and
// dropped when the drag ends.

#include <QColor>
#include <QImage>
#include <vector>

class QPainter;
class TCDLFrame;
class TCDLPage;

class TDragCache
{
public:
    void Paint(QPainter &p, TCDLPage &page, QSize control, const std::vector<TCDLFrame *> &dragged, QColor background);
    void Invalidate() { m_image = QImage(); }

private:
    QImage m_image;
    QSize m_control;
    double m_scale = 0;
    QPoint m_offset;
};
