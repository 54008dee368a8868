#include "SheetPicture.h"

#include <QPainter>
#include <QPalette>

namespace {

// The sheet's size in 0.1 mm.
QSizeF SheetSize(TSheetKind kind)
{
    const QSizeF mm =
        QPageSize(kind == TSheetKind::Letter ? QPageSize::Letter : QPageSize::A4).size(QPageSize::Millimeter);
    return mm * 10.0;
}

QRect InlayRect(TSheetKind kind, TPageKind inlay, int position)
{
    const QSize half = InlayHalfSize(inlay);
    const QPoint c = InlayCentre(kind, inlay, position);
    return {c - QPoint(half.width(), half.height()), QSize(2 * half.width(), 2 * half.height())};
}

} // namespace

TSheetPicture::TSheetPicture(QWidget *parent) : QWidget(parent) { setMinimumSize(110, 140); }

void TSheetPicture::Show(TSheetKind kind, TPrintWhat what, std::set<int> filled, bool cutMarks)
{
    m_kind = kind;
    m_what = what;
    m_filled = std::move(filled);
    m_cutMarks = cutMarks;
    update();
}

void TSheetPicture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QSizeF sheet = SheetSize(m_kind);
    const double scale = std::min((width() - 4) / sheet.width(), (height() - 4) / sheet.height());
    p.translate((width() - sheet.width() * scale) / 2, (height() - sheet.height() * scale) / 2);
    p.scale(scale, scale);

    const QColor line = palette().color(QPalette::WindowText);
    const QColor fill = palette().color(QPalette::Highlight).lighter(150);
    QPen pen(line);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(QPointF(0, 0), sheet));

    QFont font = p.font();
    font.setPixelSize(280);
    font.setBold(true);
    p.setFont(font);
    auto number = [&](const QRect &r, int n) {
        p.setPen(line);
        p.drawText(r, Qt::AlignCenter, QString::number(n));
    };

    if (m_what == TPrintWhat::CDLabel) {
        for (int place = 1; place <= CDPositions; ++place) {
            const QPoint c = CDLabelCentre(m_kind, place);
            const bool used = m_filled.count(place) > 0;
            p.setPen(pen);
            p.setBrush(used ? fill : QColor(Qt::white));
            p.drawEllipse(c, CDRadius, CDRadius);
            p.setBrush(Qt::white);
            p.drawEllipse(c, CDHoleRadius, CDHoleRadius);
            if (used)
                number(QRect(c.x() - CDRadius, c.y() - CDRadius, 2 * CDRadius, CDRadius - CDHoleRadius), place);
        }
        return;
    }

    std::vector<std::pair<QRect, int>> inlays;
    if (m_what == TPrintWhat::FrontAndBack) {
        inlays = {{InlayRect(m_kind, TPageKind::InlayVorder, 3), 1}, {InlayRect(m_kind, TPageKind::InlayRueck, 3), 2}};
    } else {
        const TPageKind kind = m_what == TPrintWhat::InlayBack ? TPageKind::InlayRueck : TPageKind::InlayVorder;
        inlays = {{InlayRect(m_kind, kind, 1), 1}, {InlayRect(m_kind, kind, 2), 2}};
    }
    for (const auto &[r, n] : inlays) {
        const bool used = m_what == TPrintWhat::FrontAndBack || m_filled.count(n) > 0;
        p.setPen(pen);
        p.setBrush(used ? fill : QColor(Qt::white));
        p.drawRect(r);
        if (used && m_what != TPrintWhat::FrontAndBack)
            number(r, n);
    }
    if (!m_cutMarks)
        return;
    const TCutMarks which = m_what == TPrintWhat::FrontAndBack ? TCutMarks::FrontAndBack
                            : m_what == TPrintWhat::InlayBack  ? TCutMarks::Backs
                                                               : TCutMarks::Fronts;
    const TCutMarkGeometry marks = CutMarkGeometry(m_kind, which);
    p.setPen(pen);
    for (const QPoint &c : marks.Crosses) {
        p.drawLine(c - QPoint(CutMarkArm, 0), c + QPoint(CutMarkArm, 0));
        p.drawLine(c - QPoint(0, CutMarkArm), c + QPoint(0, CutMarkArm));
    }
    for (const QLine &l : marks.Strokes)
        p.drawLine(l);
}
