// rImageRotate: quarter turns and mirroring of a picture. Each button is a
// one-off action, applied in the write-back that follows its report.

#include "PropertyPanel.h"

#include "Picture.h"
#include "Strings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <utility>

namespace {

enum class TPictureAction : uint8_t { None, RotateLeft, RotateRight, MirrorLeftRight, FlipUpsideDown };

class TImageRotatePanel final : public QGroupBox, public TPropertyPanel
{
public:
    explicit TImageRotatePanel(QWidget *parent) : QGroupBox(parent)
    {
        setObjectName(QStringLiteral("rImageRotate"));
        auto *h = new QHBoxLayout(this);
        const char *names[] = {"sbRotateLeft", "sbRotateRight", "sbMirror", "sbFlip"};
        const TPictureAction actions[] = {TPictureAction::RotateLeft, TPictureAction::RotateRight,
                                          TPictureAction::MirrorLeftRight, TPictureAction::FlipUpsideDown};
        const char *glyphs[] = {"\u21BA", "\u21BB", "\u2194", "\u2195"};
        for (int k = 0; k < 4; ++k) {
            m_buttons[k] = SpeedButton(this, names[k], false);
            m_buttons[k]->setText(QString::fromUtf8(glyphs[k]));
            h->addWidget(m_buttons[k]);
            connect(m_buttons[k], &QToolButton::clicked, this, [this, a = actions[k]] {
                m_pending = a;
                // The picture itself changes, and its size may: undo keeps
                // the whole record, the coordinates follow.
                Edit(nullptr, TEditKind::Record);
                m_pending = TPictureAction::None;
            });
        }
        h->addStretch();
    }
    QWidget *Widget() override { return this; }
    TPanels Bits() const override { return TPanel::ImageRotate; }
    void Fill(const TCDLFrame &) override {}
    void WriteBack(TCDLFrame &f) override
    {
        TCDLBild *b = KindCast<TCDLBild>(&f);
        const TPictureAction a = std::exchange(m_pending, TPictureAction::None);
        if (!b)
            return;
        switch (a) {
        case TPictureAction::None: break;
        case TPictureAction::RotateLeft: b->Rotate(-90); break;
        case TPictureAction::RotateRight: b->Rotate(90); break;
        case TPictureAction::MirrorLeftRight: b->Mirror(true); break;
        case TPictureAction::FlipUpsideDown: b->Mirror(false); break;
        }
    }
    void SetupStrings() override
    {
        setTitle(GetText(1021));
        for (int k = 0; k < 4; ++k)
            m_buttons[k]->setToolTip(GetText(241 + k));
    }

private:
    QToolButton *m_buttons[4];
    TPictureAction m_pending = TPictureAction::None;
};

} // namespace

TPropertyPanel *MakeImageRotatePanel(TPanelHost &, QWidget *parent) { return new TImageRotatePanel(parent); }
