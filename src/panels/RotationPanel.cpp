// rDrehung: the angle, the four quarter buttons and the compass.

#include "PanelWidgets.h"
#include "PropertyPanel.h"

#include "Strings.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

class TRotationPanel final : public QGroupBox, public TPropertyPanel
{
public:
    explicit TRotationPanel(QWidget *parent) : QGroupBox(parent)
    {
        setObjectName(QStringLiteral("rDrehung"));
        auto *h = new QHBoxLayout(this);
        auto *left = new QVBoxLayout;
        auto *row = new QHBoxLayout;
        m_angle = Spin(this, "seDrehung", -359, 359, 0);
        m_degrees = new QLabel(this);
        row->addWidget(m_angle);
        row->addWidget(m_degrees);
        left->addLayout(row);
        auto *grid = new QGridLayout;
        const char *names[] = {"rb0", "rb90", "rb180", "rb270"};
        for (int k = 0; k < 4; ++k) {
            m_quarters[k] = Named(new QRadioButton(QStringLiteral("%1°").arg(90 * k), this), names[k]);
            // Not exclusive: an angle between the quarters checks none of them.
            m_quarters[k]->setAutoExclusive(false);
            grid->addWidget(m_quarters[k], k / 2, k % 2);
            connect(m_quarters[k], &QRadioButton::clicked, this, [this, k] {
                if (m_angle->value() != 90 * k)
                    m_angle->setValue(90 * k);
                else
                    checkQuarters(90 * k);
            });
        }
        left->addLayout(grid);
        h->addLayout(left, 1);
        m_compass = Named(new TCompass(this), "pbCrossImage");
        h->addWidget(m_compass);
        m_quarters[0]->setChecked(true);
        m_fields.Bind("Angle", m_angle);
        connect(m_angle, &QSpinBox::valueChanged, this, [this](int v) {
            checkQuarters(v);
            Edit();
        });
    }
    QWidget *Widget() override { return this; }
    TPanels Bits() const override { return TPanel::Rotation; }
    void Fill(const TCDLFrame &f) override { m_fields.Fill(f); }
    void WriteBack(TCDLFrame &f) override { m_fields.WriteBack(f); }
    void SetupStrings() override
    {
        setTitle(GetText(1009));
        m_degrees->setText(GetText(1010));
    }

private:
    void checkQuarters(int v)
    {
        for (int k = 0; k < 4; ++k)
            m_quarters[k]->setChecked(v == 90 * k);
        m_compass->SetAngle(v);
    }

    QSpinBox *m_angle;
    QLabel *m_degrees;
    QRadioButton *m_quarters[4];
    TCompass *m_compass;
    TFieldControls m_fields;
};

} // namespace

TPropertyPanel *MakeRotationPanel(TPanelHost &, QWidget *parent) { return new TRotationPanel(parent); }
