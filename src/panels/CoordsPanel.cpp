#include "CoordsPanel.h"

#include "Frame.h"
#include "Page.h"
#include "Strings.h"
#include "Units.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t CoordLimit = 16384;
constexpr int MinimumWidth = 184;

constexpr const char *FieldNames[] = {"X", "Y", "Width", "Height", "X2", "Y2"};
// The edits in their parts' order and the field each shows.
constexpr const char *EditNames[] = {"edX", "edY", "edWidth", "edHeight", "edX1", "edY1", "edX2", "edY2"};
constexpr int EditField[] = {0, 1, 2, 3, 0, 1, 4, 5};
constexpr int CaptionTexts[] = {1034, 1035, 1040, 1041, 1036, 1037, 1038, 1039};

bool isPosition(int field) { return field != 2 && field != 3; }

} // namespace

TCoordsPanel::TCoordsPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("rCoordsPanel"));
    const char *parts[] = {"rPositionXY", "rPositionDim", "rPositionX1Y1", "rPositionX2Y2"};
    for (int p = 0; p < 4; ++p) {
        m_parts[p] = Named(new QWidget(this), parts[p]);
        auto *g = new QGridLayout(m_parts[p]);
        g->setContentsMargins(4, 2, 4, 2);
        g->setVerticalSpacing(2);
        for (int k = 0; k < 2; ++k) {
            const int i = 2 * p + k;
            m_captions[i] = new QLabel(m_parts[p]);
            m_edits[i] = Named(new QLineEdit(m_parts[p]), EditNames[i]);
            m_edits[i]->setFixedWidth(80);
            m_units[i] = new QLabel(m_parts[p]);
            g->addWidget(m_captions[i], k, 0);
            g->addWidget(m_edits[i], k, 1);
            g->addWidget(m_units[i], k, 2);
            connect(m_edits[i], &QLineEdit::textEdited, this, [this, i](const QString &t) { edited(i, t); });
            // What was typed and refused must not stay as if it were the frame's.
            connect(m_edits[i], &QLineEdit::editingFinished, this, [this] { showValues(); });
        }
        g->setColumnStretch(2, 1);
        m_parts[p]->hide();
    }
}

void TCoordsPanel::Fill(const TCDLFrame &f)
{
    m_hasPage = f.Page;
    m_origin = f.Page ? f.Page->Origin : QPoint();
    for (int k = 0; k < FieldCount; ++k) {
        const int32_t *v = StoredValue<int32_t>(f, FieldNames[k]);
        m_stored[k] = v;
        m_values[k] = v ? *v : 0;
    }
    m_typed = -1;
    showValues();
}

void TCoordsPanel::showValues()
{
    if (!m_hasPage)
        return;
    for (int i = 0; i < 8; ++i) {
        const int k = EditField[i];
        const int64_t origin = !isPosition(k) ? 0 : k == 1 || k == 5 ? m_origin.y() : m_origin.x();
        if (m_stored[k])
            m_edits[i]->setText(FormatUnitValue(int32_t(m_values[k] - origin)));
    }
}

void TCoordsPanel::edited(int edit, const QString &text)
{
    const int k = EditField[edit];
    const std::optional<double> parsed = text.trimmed().isEmpty() ? 0.0 : ParseDecimal(text);
    if (!Showing || !m_stored[k] || !parsed)
        return;
    const double typed = *parsed;
    const int origin = !isPosition(k) ? 0 : k == 1 || k == 5 ? m_origin.y() : m_origin.x();
    const double v = std::trunc(typed * UnitDivisor()) + origin;
    const auto nv = int32_t(std::clamp(v, double(-CoordLimit), double(CoordLimit)));
    if (nv == m_values[k])
        return;
    m_values[k] = nv;
    m_typed = k;
    Edit(m_edits[edit], TEditKind::Place);
    m_typed = -1;
}

void TCoordsPanel::WriteBack(TCDLFrame &f)
{
    if (m_typed < 0)
        return;
    if (int32_t *v = StoredValue<int32_t>(f, FieldNames[m_typed]))
        *v = int32_t(m_values[m_typed]);
}

void TCoordsPanel::ShowFrameParts(bool twoPoints)
{
    for (QWidget *w : m_parts)
        w->hide();
    QWidget *first = m_parts[twoPoints ? 2 : 0];
    QWidget *second = m_parts[twoPoints ? 3 : 1];
    first->move(0, 0);
    second->move(0, first->height());
    first->show();
    second->show();
    setFixedSize(first->width(), first->height() + second->height() + 1);
}

void TCoordsPanel::ShowUnit()
{
    const QString unit = GetText(IsInch(UnitCode()) ? 1345 : 1344);
    for (QLabel *l : m_units)
        l->setText(unit);
    // One width for the four, enough for the longest caption.
    int width = MinimumWidth;
    for (QWidget *w : m_parts)
        width = std::max(width, w->layout()->totalMinimumSize().width());
    for (QWidget *w : m_parts)
        w->setFixedSize(width, w->layout()->totalSizeHint().height());
}

void TCoordsPanel::SetupStrings()
{
    for (int i = 0; i < 8; ++i)
        m_captions[i]->setText(GetText(CaptionTexts[i]));
    ShowUnit();
}

QSize TCoordsPanel::RectangleSize() const
{
    return {m_parts[0]->width(), m_parts[0]->height() + m_parts[1]->height() + 1};
}
