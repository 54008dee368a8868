// rImageRotate: turning and mirroring a picture. Pictures come later: the
// panel keeps its place in the stack and its buttons do nothing yet.

#include "PropertyPanel.h"

#include "Strings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QToolButton>

namespace {

class TImageRotatePanel final : public QGroupBox, public TPropertyPanel
{
public:
    explicit TImageRotatePanel(QWidget *parent) : QGroupBox(parent)
    {
        setObjectName(QStringLiteral("rImageRotate"));
        auto *h = new QHBoxLayout(this);
        const char *names[] = {"sbRotateLeft", "sbRotateRight", "sbMirror", "sbFlip"};
        for (int k = 0; k < 4; ++k) {
            m_buttons[k] = SpeedButton(this, names[k], false);
            h->addWidget(m_buttons[k]);
        }
        h->addStretch();
    }
    QWidget *Widget() override { return this; }
    TPanels Bits() const override { return TPanel::ImageRotate; }
    void Fill(const TCDLFrame &) override {}
    void WriteBack(TCDLFrame &) override {}
    void SetupStrings() override
    {
        setTitle(GetText(1021));
        for (int k = 0; k < 4; ++k)
            m_buttons[k]->setToolTip(GetText(241 + k));
    }

private:
    QToolButton *m_buttons[4];
};

} // namespace

TPropertyPanel *MakeImageRotatePanel(TPanelHost &, QWidget *parent) { return new TImageRotatePanel(parent); }
