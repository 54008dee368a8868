#include "PropertyPanel.h"

#include "Frame.h"
#include "RecordMemo.h"
#include "TextLayout.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QToolButton>
#include <cstring>

const TRecordField *StoredField(const TCDLFrame &f, const char *name, TFieldType type)
{
    for (const TRecordField &r : f.RecordLayout())
        if (r.Type == type && std::strcmp(r.Name, name) == 0)
            return &r;
    return nullptr;
}

void TFieldControls::Bind(const char *name, QSpinBox *s) { m_rows.push_back({name, s}); }
void TFieldControls::Bind(const char *name, QAbstractButton *b) { m_rows.push_back({name, b}); }
void TFieldControls::Bind(const char *name, QLineEdit *e) { m_rows.push_back({name, e}); }
void TFieldControls::Bind(const char *name, QPlainTextEdit *m) { m_rows.push_back({name, m}); }

void TFieldControls::Fill(const TCDLFrame &f) const
{
    for (const auto &[name, c] : m_rows) {
        if (auto *s = qobject_cast<QSpinBox *>(c)) {
            if (const auto *v = StoredValue<int32_t>(f, name))
                s->setValue(*v);
        } else if (auto *b = qobject_cast<QAbstractButton *>(c)) {
            if (const auto *v = StoredValue<bool>(f, name))
                b->setChecked(*v);
        } else if (auto *e = qobject_cast<QLineEdit *>(c)) {
            if (const auto *v = StoredValue<QString>(f, name))
                e->setText(*v);
        } else if (auto *m = qobject_cast<QPlainTextEdit *>(c)) {
            if (const auto *v = StoredValue<QStringList>(f, name))
                m->setPlainText(v->join(QLatin1Char('\n')));
        }
    }
}

void TFieldControls::WriteBack(TCDLFrame &f) const
{
    for (const auto &[name, c] : m_rows) {
        if (auto *s = qobject_cast<QSpinBox *>(c)) {
            if (auto *v = StoredValue<int32_t>(f, name))
                *v = s->value();
        } else if (auto *b = qobject_cast<QAbstractButton *>(c)) {
            if (auto *v = StoredValue<bool>(f, name))
                *v = b->isChecked();
        } else if (auto *e = qobject_cast<QLineEdit *>(c)) {
            // The line's maximum length is the record's.
            if (auto *v = StoredValue<QString>(f, name))
                *v = e->text();
        } else if (auto *m = qobject_cast<QPlainTextEdit *>(c)) {
            if (auto *v = StoredValue<QStringList>(f, name))
                *v = SplitParagraphs(MemoText(*m));
        }
    }
}

QGroupBox *PanelBox(QWidget *parent, const char *name) { return Named(new QGroupBox(parent), name); }

QSpinBox *Spin(QWidget *parent, const char *name, int lo, int hi, int value)
{
    auto *s = Named(new QSpinBox(parent), name);
    s->setRange(lo, hi);
    s->setValue(value);
    return s;
}

QToolButton *SpeedButton(QWidget *parent, const char *name, bool checkable)
{
    auto *b = Named(new QToolButton(parent), name);
    b->setCheckable(checkable);
    b->setAutoRaise(true);
    b->setFixedSize(24, 22);
    return b;
}
