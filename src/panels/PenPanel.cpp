// rStift: the pen's width and, for the kinds that may go without, "no pen".

#include "PropertyPanel.h"

#include "Strings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSpinBox>

namespace {

class TPenPanel final : public QGroupBox, public TPropertyPanel
{
public:
    explicit TPenPanel(QWidget *parent) : QGroupBox(parent)
    {
        setObjectName(QStringLiteral("rStift"));
        auto *h = new QHBoxLayout(this);
        m_size = Spin(this, "seStift", 0, 200, 0);
        m_none = Named(new QCheckBox(this), "cbOhneStift");
        h->addWidget(m_size);
        h->addWidget(m_none, 1);
        m_fields.Bind("PenSize", m_size);
        m_fields.Bind("NoPen", m_none);
        connect(m_size, &QSpinBox::valueChanged, this, [this] { Edit(); });
        connect(m_none, &QCheckBox::clicked, this, [this] { Edit(); });
    }
    QWidget *Widget() override { return this; }
    TPanels Bits() const override { return TPanel::Pen | TPanel::NoPenBox; }
    void Fill(const TCDLFrame &f) override { m_fields.Fill(f); }
    void WriteBack(TCDLFrame &f) override { m_fields.WriteBack(f); }
    void SetupStrings() override
    {
        setTitle(GetText(1006));
        m_none->setText(GetText(1007));
    }
    void Arrange(TPanels set) override { m_none->setVisible(bool(set & TPanel::NoPenBox)); }

private:
    QSpinBox *m_size;
    QCheckBox *m_none;
    TFieldControls m_fields;
};

} // namespace

TPropertyPanel *MakePenPanel(TPanelHost &, QWidget *parent) { return new TPenPanel(parent); }
