#include "ColorPanel.h"

#include "PanelWidgets.h"

#include "Frame.h"
#include "Strings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

TColorPanel::TColorPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("rColorPanel"));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(2, 2, 2, 2);
    // Pen and fill one above the other: long captions widen the panel
    // less than side by side.
    auto *top = new QHBoxLayout;
    auto *targets = new QVBoxLayout;
    targets->setSpacing(1);
    m_pen = Named(new QToolButton(this), "sbStift");
    m_fill = Named(new QToolButton(this), "sbFuellung");
    auto *target = new QButtonGroup(this);
    for (QToolButton *b : {m_pen, m_fill}) {
        b->setCheckable(true);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        targets->addWidget(b);
    }
    target->addButton(m_pen, 0);
    target->addButton(m_fill, 1);
    m_pen->setChecked(true);
    m_swatch = Named(new TColorSwatch(this), "ActiveColor");
    top->addLayout(targets, 1);
    top->addWidget(m_swatch);
    v->addLayout(top);
    // The cells stay where they are: a click where a colour was takes it.
    m_grid = Named(new TColorGrid(this), "ColorGrid");
    m_grid->setFixedSize(m_grid->sizeHint());
    v->addWidget(m_grid);
    auto *rgb = new QHBoxLayout;
    const char *names[] = {"seR", "seG", "seB"};
    for (int k = 0; k < 3; ++k) {
        m_rgb[k] = Spin(this, names[k], 0, 255, 0);
        rgb->addWidget(new QLabel(QString(QLatin1Char("RGB"[k])), this));
        rgb->addWidget(m_rgb[k]);
        QSpinBox *s = m_rgb[k];
        connect(s, &QSpinBox::valueChanged, this,
                [this, s] { takeColor(RGBColor(m_rgb[0]->value(), m_rgb[1]->value(), m_rgb[2]->value()), s); });
    }
    v->addLayout(rgb);
    m_noFill = Named(new QCheckBox(this), "cbOhneFuellung");
    // Its room stays when it hides, so nothing above it moves.
    QSizePolicy keep = m_noFill->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_noFill->setSizePolicy(keep);
    v->addWidget(m_noFill);
    m_noFill->hide();
    m_fields.Bind("NoFill", m_noFill);

    connect(target, &QButtonGroup::idClicked, this, [this](int id) { targetClicked(id == 1); });
    connect(m_grid, &TColorGrid::cellSelected, this,
            [this](int row, int column) { takeColor(PaletteColor(row, column), nullptr); });
    connect(m_noFill, &QCheckBox::clicked, this, [this] { Edit(nullptr, TEditKind::Colour); });
}

bool TColorPanel::usesFill() const { return m_fill->isChecked() && m_fill->isEnabled(); }

void TColorPanel::Fill(const TCDLFrame &f)
{
    m_fields.Fill(f);
    m_penColor = f.PenColor;
    m_fillColor = f.FillColor;
    const bool fill = bool(f.PanelSet() & TPanel::FillColor);
    m_fill->setEnabled(fill);
    if (!fill)
        m_pen->setChecked(true);
    m_noFill->setVisible(fill && m_fill->isChecked());
    showColor();
}

void TColorPanel::WriteBack(TCDLFrame &f)
{
    m_fields.WriteBack(f);
    if (auto *c = StoredValue<TColor>(f, usesFill() ? "FillColor" : "PenColor"))
        *c = usesFill() ? m_fillColor : m_penColor;
}

void TColorPanel::targetClicked(bool fill)
{
    m_noFill->setVisible(fill && m_fill->isEnabled());
    if (Showing)
        showColor();
}

void TColorPanel::showColor()
{
    const TColor c = usesFill() ? m_fillColor : m_penColor;
    m_swatch->SetColor(c);
    const QSignalBlocker br(m_rgb[0]), bg(m_rgb[1]), bb(m_rgb[2]);
    for (int k = 0; k < 3; ++k)
        m_rgb[k]->setValue(int((c >> (8 * k)) & 0xFF));
}

void TColorPanel::takeColor(TColor c, QObject *run)
{
    if (!Showing)
        return;
    (usesFill() ? m_fillColor : m_penColor) = c;
    showColor();
    Edit(run, TEditKind::Colour);
}

void TColorPanel::SetupStrings()
{
    m_pen->setText(GetText(1017));
    m_fill->setText(GetText(1018));
    m_noFill->setText(GetText(1014));
    // Captions change the panel's size: it grows to show them whole.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setFixedSize(layout()->totalSizeHint());
}
