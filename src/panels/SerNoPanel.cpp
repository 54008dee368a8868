// rSerNo: a running number with its picture string, or a value list loaded
// from a text file, and where the next label starts.

#include "PanelHost.h"
#include "PropertyPanel.h"

#include "Errors.h"
#include "Frame.h"
#include "Settings.h"
#include "Strings.h"
#include "ValueList.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

class TSerNoPanel final : public QGroupBox, public TPropertyPanel
{
public:
    TSerNoPanel(TPanelHost &host, QWidget *parent) : QGroupBox(parent), m_host(host)
    {
        setObjectName(QStringLiteral("rSerNo"));
        auto *v = new QVBoxLayout(this);
        m_running = Named(new QRadioButton(this), "rbFortlaufend");
        m_listed = Named(new QRadioButton(this), "rbWerteliste");
        auto *mode = new QButtonGroup(this);
        mode->addButton(m_listed, 0);
        mode->addButton(m_running, 1);
        m_running->setChecked(true);
        v->addWidget(m_running);
        auto *row = new QHBoxLayout;
        row->addWidget(m_listed, 1);
        m_load = SpeedButton(this, "sbSerNoLaden", false);
        m_load->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
        row->addWidget(m_load);
        v->addLayout(row);

        m_pages = Named(new QStackedWidget(this), "nbSerNo");
        m_list = Named(new QListWidget(m_pages), "lbSerNo");
        m_list->setFixedHeight(90);
        m_pages->addWidget(m_list);
        auto *counter = new QWidget(m_pages);
        auto *g = new QGridLayout(counter);
        g->setContentsMargins(0, 0, 0, 0);
        m_startLabel = new QLabel(counter);
        m_formatLabel = new QLabel(counter);
        m_start = Named(new QLineEdit(QStringLiteral("1"), counter), "eStartwert");
        // Every counter the record holds, sign included: a shorter box would
        // cut a long one and write the cut number back with the next edit.
        m_start->setMaxLength(11);
        m_format = Named(new QLineEdit(QStringLiteral("########"), counter), "eFormat");
        m_format->setMaxLength(40);
        g->addWidget(m_startLabel, 0, 0);
        g->addWidget(m_start, 0, 1);
        g->addWidget(m_formatLabel, 1, 0);
        g->addWidget(m_format, 1, 1);
        m_pages->addWidget(counter);
        m_pages->setCurrentIndex(1);
        m_load->hide();
        v->addWidget(m_pages);

        m_fields.Bind("UseValueList", m_listed);
        m_fields.Bind("NumberFormat", m_format);
        connect(m_listed, &QRadioButton::clicked, this, [this] { modeClicked(true); });
        connect(m_running, &QRadioButton::clicked, this, [this] { modeClicked(false); });
        connect(m_load, &QToolButton::clicked, this, [this] { loadValueList(); });
        connect(m_start, &QLineEdit::textEdited, this, [this] { startEdited(); });
        connect(m_format, &QLineEdit::textEdited, this, [this] { Edit(); });
        connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
            m_start->setText(QString::number(m_list->row(item)));
            startEdited();
        });
    }
    QWidget *Widget() override { return this; }
    TPanels Bits() const override { return TPanel::SerialNumber; }

    void Fill(const TCDLFrame &f) override
    {
        // The exclusive pair: checking one unchecks the other.
        const bool *listed = StoredValue<bool>(f, "UseValueList");
        (listed && *listed ? m_listed : m_running)->setChecked(true);
        showMode(listed && *listed);
        m_list->clear();
        if (const auto *values = StoredValue<QStringList>(f, "Values"))
            m_list->addItems(*values);
        m_fields.Fill(f);
        if (const auto *counter = StoredValue<int32_t>(f, "Counter")) {
            m_start->setText(QString::number(*counter));
            if (*counter >= 0 && *counter < m_list->count())
                m_list->setCurrentRow(*counter);
        }
    }
    void WriteBack(TCDLFrame &f) override
    {
        m_fields.WriteBack(f);
        bool ok = false;
        const int counter = startValue(&ok);
        if (auto *c = StoredValue<int32_t>(f, "Counter"); c && ok)
            *c = counter;
        if (auto *values = StoredValue<QStringList>(f, "Values")) {
            values->clear();
            for (int i = 0; i < m_list->count(); ++i)
                values->append(m_list->item(i)->text());
        }
    }
    void SetupStrings() override
    {
        setTitle(GetText(1000));
        m_listed->setText(GetText(1001));
        m_running->setText(GetText(1002));
        m_startLabel->setText(GetText(1015));
        m_formatLabel->setText(GetText(1016));
        m_load->setToolTip(GetText(227));
    }
    QWidget *TextInput() const override { return m_listed->isChecked() ? static_cast<QWidget *>(m_list) : m_start; }

private:
    int startValue(bool *ok) const
    {
        const int v = m_start->text().trimmed().toInt(ok);
        return *ok ? v : 0;
    }
    void showMode(bool listed)
    {
        m_pages->setCurrentIndex(listed ? 0 : 1);
        m_load->setVisible(listed);
    }
    void modeClicked(bool listed)
    {
        showMode(listed);
        Edit();
    }
    void startEdited()
    {
        if (!Showing)
            return;
        bool ok = false;
        const int n = startValue(&ok);
        if (!ok) {
            // Half typed: wait for the rest.
            const QString typed = m_start->text().trimmed();
            if (typed.isEmpty() || typed == QStringLiteral("-"))
                return;
            m_host.ShowError(GetText(1050));
            // The box took the focus; the person goes on correcting here.
            if (m_start->isVisible()) {
                m_start->window()->activateWindow();
                m_start->setFocus(Qt::OtherFocusReason);
            }
            return;
        }
        if (m_list->count() > 0 && n >= 0) {
            const QSignalBlocker block(m_list);
            m_list->setCurrentRow(std::min(n, m_list->count() - 1));
        }
        Edit();
    }
    void loadValueList()
    {
        if (!Showing)
            return;
        const QString path = m_host.AskTextFile(GetText(582), GetText(583), AppSettings().SerialNumberDir);
        if (path.isEmpty() || !Showing)
            return;
        QStringList values;
        try {
            values = ReadValueListFile(path);
        } catch (const ELocalizedError &e) {
            m_host.ShowError(e.message());
            return;
        }
        m_list->clear();
        m_list->addItems(values);
        m_start->setText(QStringLiteral("0"));
        if (m_list->count() > 0) {
            const QSignalBlocker block(m_list);
            m_list->setCurrentRow(0);
        }
        Edit();
    }

    TPanelHost &m_host;
    QRadioButton *m_running, *m_listed;
    QStackedWidget *m_pages;
    QListWidget *m_list;
    QLineEdit *m_start, *m_format;
    QLabel *m_startLabel, *m_formatLabel;
    QToolButton *m_load;
    TFieldControls m_fields;
};

} // namespace

TPropertyPanel *MakeSerNoPanel(TPanelHost &host, QWidget *parent) { return new TSerNoPanel(host, parent); }
