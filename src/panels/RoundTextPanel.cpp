// rRundtext: the paragraphs of a round text, its characters turned half
// round, and its centre moved to the page's.

#include "PropertyPanel.h"
#include "RecordMemo.h"

#include "Frame.h"
#include "Strings.h"
#include "TextLayout.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

class TRoundTextPanel final : public QGroupBox, public TPropertyPanel
{
public:
    TRoundTextPanel(TPanelHost &host, QWidget *parent) : QGroupBox(parent)
    {
        setObjectName(QStringLiteral("rRundtext"));
        auto *v = new QVBoxLayout(this);
        m_memo = Named(new TRecordMemo(host, this), "mRundtext");
        m_memo->setFixedHeight(60);
        m_turned = Named(new QCheckBox(this), "cbRTextRichtung");
        m_centre = Named(new QPushButton(this), "btRTextMittelpunkt");
        v->addWidget(m_memo);
        v->addWidget(m_turned);
        v->addWidget(m_centre);
        connect(m_memo, &QPlainTextEdit::textChanged, this, [this] {
            if (Showing && m_memo->Accept())
                Edit(m_memo);
        });
        connect(m_turned, &QCheckBox::clicked, this, [this](bool on) {
            m_angle = on ? 180 : 0;
            Edit();
        });
        connect(m_centre, &QPushButton::clicked, this, [this] {
            m_centring = true;
            Edit(nullptr, TEditKind::Place);
            m_centring = false;
        });
    }
    QWidget *Widget() override { return this; }
    TPanels Bits() const override { return TPanel::RoundText; }
    void Fill(const TCDLFrame &f) override
    {
        const QStringList *values = StoredValue<QStringList>(f, "Values");
        m_memo->ShowParagraphs(values ? *values : QStringList());
        m_angle = f.Angle;
        m_turned->setChecked(f.Angle == 180);
    }
    void WriteBack(TCDLFrame &f) override
    {
        if (m_centring) {
            // The page's centre.
            f.X2 = 0;
            f.Y2 = 0;
            return;
        }
        if (auto *values = StoredValue<QStringList>(f, "Values"))
            *values = SplitParagraphs(MemoText(*m_memo));
        if (auto *angle = StoredValue<int32_t>(f, "Angle"))
            *angle = m_angle;
    }
    void SetupStrings() override
    {
        setTitle(GetText(1012));
        m_turned->setText(GetText(1013));
        m_centre->setText(GetText(5));
    }
    QWidget *TextInput() const override { return m_memo; }

private:
    TRecordMemo *m_memo;
    QCheckBox *m_turned;
    QPushButton *m_centre;
    // Not the rotation panel's: round text turns only its characters.
    int32_t m_angle = 0;
    bool m_centring = false;
};

} // namespace

TPropertyPanel *MakeRoundTextPanel(TPanelHost &host, QWidget *parent) { return new TRoundTextPanel(host, parent); }
