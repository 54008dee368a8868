#pragma once
// The rulers along the top and left of a document window: the shown page's
// scale in the current unit counted from the page's Origin, a mark at the
// pointer, and the start of a guide-line drag.

#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

class TCDLPage;
class TPaintContext;

// A step of Mantissa x 10^Exponent displayed units, Mantissa 1, 2 or 5.
struct TRulerStep
{
    int Mantissa = 1;
    int Exponent = 0;
    double Units() const;
    bool operator==(const TRulerStep &) const = default;
};

// The finest ticks at least minTickPixels apart (and no finer than one
// model unit), and labels at the finest multiple of the tick step that
// leaves labelPixels between two labels.
struct TRulerScale
{
    TRulerStep Tick;
    TRulerStep Label;
    int TicksPerLabel = 1;
};
TRulerScale ChooseRulerScale(double pixelsPerModelUnit, int divisor, int labelPixels, int minTickPixels);

struct TRulerMark
{
    enum Kind { Minor, Middle, Labelled };
    // Device position in the page control.
    int Pos = 0;
    Kind Type = Minor;
    // Distance from the origin in displayed units, for labelled marks.
    QString Label;
};

// Every mark whose device position lies in [from, to]: tick j sits at the
// model position origin + j x tick step, mapped as the page maps.
std::vector<TRulerMark> RulerMarks(const TRulerScale &scale, int divisor, int32_t origin, double pixelsPerModelUnit,
                                   int offset, int from, int to);

class TRuler : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Thickness = 20;
    // Pixels between two ticks and the space left between two labels.
    static constexpr int MinTickPixels = 5;
    static constexpr int LabelGap = 8;
    TRuler(Qt::Orientation o, QWidget *parent);

    // The page shown and the control it paints into.
    void SetPage(TCDLPage *page, QWidget *pageControl);
    // Pointer position in the page control's coordinates, -1 for none.
    void SetMark(int devicePos);
    int Mark() const { return m_mark; }
    // What the last paint drew, positions in the page control.
    const TRulerScale &LastScale() const { return m_scale; }
    const std::vector<TRulerMark> &LastMarks() const { return m_marks; }
    // Where the page control starts along the ruler.
    int ControlStart() const;
    // Repaints when what the ruler shows of the page's mapping changed since
    // its last paint: every page paint asks, few change it.
    void Refresh();

signals:
    // A guide-line drag left the ruler; pos is in the page control.
    void guideDragged(bool horizontal, int pos, bool finished);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;

private:
    // What a paint reads of the page and its control.
    struct TView
    {
        double PixelsPerUnit = 0;
        int Offset = 0, Origin = 0, Start = 0, Extent = 0, Divisor = 0, Length = 0;
        bool operator==(const TView &) const = default;
    };
    std::optional<TView> view() const;
    int along(QPoint p) const { return m_orient == Qt::Horizontal ? p.x() : p.y(); }
    int pagePos(QPoint rulerPoint) const;
    void drawMark(QPainter &p, int pos, int from, int to);
    void drawLabel(QPainter &p, int pos, const QString &text);

    Qt::Orientation m_orient;
    TCDLPage *m_page = nullptr;
    QWidget *m_control = nullptr;
    int m_mark = -1;
    TRulerScale m_scale;
    std::vector<TRulerMark> m_marks;
    bool m_dragging = false;
    std::optional<TView> m_painted;
};
