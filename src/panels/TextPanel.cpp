// rText: the paragraphs of a text or bar-code frame.

#include "PropertyPanel.h"
#include "RecordMemo.h"

#include "Frame.h"
#include "Strings.h"
#include "TextLayout.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace {

class TTextPanel final : public QGroupBox, public TPropertyPanel
{
public:
    TTextPanel(TPanelHost &host, QWidget *parent) : QGroupBox(parent)
    {
        setObjectName(QStringLiteral("rText"));
        auto *v = new QVBoxLayout(this);
        m_memo = Named(new TRecordMemo(host, this), "mText");
        m_memo->setFixedHeight(110);
        v->addWidget(m_memo);
        connect(m_memo, &QPlainTextEdit::textChanged, this, [this] {
            if (Showing && m_memo->Accept())
                Edit(m_memo);
        });
    }
    QWidget *Widget() override { return this; }
    TPanels Bits() const override { return TPanel::Text; }
    void Fill(const TCDLFrame &f) override
    {
        const QStringList *values = StoredValue<QStringList>(f, "Values");
        m_memo->ShowParagraphs(values ? *values : QStringList());
    }
    void WriteBack(TCDLFrame &f) override
    {
        if (auto *values = StoredValue<QStringList>(f, "Values"))
            *values = SplitParagraphs(MemoText(*m_memo));
    }
    void SetupStrings() override { setTitle(GetText(1011)); }
    QWidget *TextInput() const override { return m_memo; }

private:
    TRecordMemo *m_memo;
};

} // namespace

TPropertyPanel *MakeTextPanel(TPanelHost &host, QWidget *parent) { return new TTextPanel(host, parent); }
