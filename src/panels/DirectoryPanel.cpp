// rVerzeichnis: the directory listing's folder, columns, what it shows and
// how it is sorted.

#include "PanelHost.h"
#include "PropertyPanel.h"

#include "CreationHost.h"
#include "Errors.h"
#include "Listing.h"
#include "Strings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <optional>

namespace {

// The box offers the first four modes. Names ignoring case are a mode of old
// files, shown as by name; a mode this program does not know sorts nothing.
int SortIndex(TDirSort mode)
{
    if (mode == TDirSort::NameIgnoringCase)
        return int(TDirSort::Name);
    return mode <= TDirSort::Date ? int(mode) : int(TDirSort::None);
}

class TDirectoryPanel final : public QGroupBox, public TPropertyPanel
{
public:
    TDirectoryPanel(TPanelHost &host, QWidget *parent) : QGroupBox(parent), m_host(host)
    {
        setObjectName(QStringLiteral("rVerzeichnis"));
        auto *g = new QGridLayout(this);
        m_directory = Named(new QLineEdit(this), "edVerzeichnis");
        m_directory->setReadOnly(true);
        m_choose = SpeedButton(this, "sbVerzeichnis", false);
        m_choose->setText(QStringLiteral("..."));
        m_columnsLabel = new QLabel(this);
        m_columns = Spin(this, "seSpalten", 1, 10, 1);
        m_columns->setKeyboardTracking(false);
        m_files = Named(new QCheckBox(this), "cbFiles");
        m_date = Named(new QCheckBox(this), "cbDateTime");
        m_size = Named(new QCheckBox(this), "cbSize");
        m_sortLabel = new QLabel(this);
        m_sort = Named(new QComboBox(this), "cbSort");
        m_sort->addItems(QStringList(4, QString()));
        m_ascending = Named(new QCheckBox(this), "cbSortDirection");
        g->addWidget(m_directory, 0, 0, 1, 2);
        g->addWidget(m_choose, 0, 2);
        g->addWidget(m_columnsLabel, 1, 0);
        g->addWidget(m_columns, 1, 1);
        g->addWidget(m_files, 2, 0, 1, 3);
        g->addWidget(m_date, 3, 0, 1, 3);
        g->addWidget(m_size, 4, 0, 1, 3);
        g->addWidget(m_sortLabel, 5, 0);
        g->addWidget(m_sort, 5, 1, 1, 2);
        g->addWidget(m_ascending, 6, 0, 1, 3);

        m_fields.Bind("Columns", m_columns);
        m_fields.Bind("ShowFiles", m_files);
        m_fields.Bind("ShowDate", m_date);
        m_fields.Bind("ShowSize", m_size);
        connect(m_columns, &QSpinBox::valueChanged, this, [this] { Edit(); });
        for (QCheckBox *b : {m_files, m_date, m_size, m_ascending})
            connect(b, &QAbstractButton::clicked, this, [this] { Edit(); });
        connect(m_sort, &QComboBox::activated, this, [this] { Edit(); });
        connect(m_choose, &QToolButton::clicked, this, [this] { chooseFolder(); });
    }
    QWidget *Widget() override { return this; }
    TPanels Bits() const override { return TPanel::Directory; }

    void Fill(const TCDLFrame &f) override
    {
        m_fields.Fill(f);
        const auto *d = KindCast<TCDLDIR>(&f);
        if (!d)
            return;
        m_directory->setText(d->Directory);
        m_subdirectories = d->WithSubdirectories;
        m_sort->setCurrentIndex(SortIndex(d->Tree.SortMode));
        m_ascending->setChecked(d->Tree.Ascending);
    }
    void WriteBack(TCDLFrame &f) override
    {
        m_fields.WriteBack(f);
        auto *d = KindCast<TCDLDIR>(&f);
        if (!d)
            return;
        if (m_scan) {
            d->SetList(m_scan->Path, m_scan->WithSubdirectories, std::move(m_scan->Entries));
            m_scan.reset();
        }
        // A mode the box cannot show stays until another is chosen.
        const int index = m_sort->currentIndex();
        const TDirSort mode = index == SortIndex(d->Tree.SortMode) ? d->Tree.SortMode : TDirSort(index);
        if (mode != d->Tree.SortMode || m_ascending->isChecked() != d->Tree.Ascending)
            d->SetSort(mode, m_ascending->isChecked());
    }
    void SetupStrings() override
    {
        setTitle(GetText(1022));
        m_columnsLabel->setText(GetText(1023));
        m_files->setText(GetText(1024));
        m_size->setText(GetText(1025));
        m_date->setText(GetText(1026));
        m_sortLabel->setText(GetText(1027));
        for (int i = 0; i < 4; ++i)
            m_sort->setItemText(i, GetText(1028 + i));
        m_ascending->setText(GetText(1032));
    }

private:
    // The folder is scanned before the edit is reported, so a cancelled or
    // failed scan leaves the listing and the undo steps alone.
    void chooseFolder()
    {
        if (!Showing)
            return;
        TFolderChoice choice;
        choice.Path = m_directory->text();
        choice.WithSubdirectories = m_subdirectories;
        if (!m_host.AskFolder(choice))
            return;
        TScan scan{choice.Path, choice.WithSubdirectories, {}};
        try {
            if (!ScanListing(choice.Path, choice.WithSubdirectories, scan.Entries, choice.Progress))
                return;
        } catch (const ELocalizedError &e) {
            m_host.ShowError(e.message());
            return;
        }
        m_directory->setText(choice.Path);
        m_subdirectories = choice.WithSubdirectories;
        m_scan = std::move(scan);
        Edit();
    }

    struct TScan
    {
        QString Path;
        bool WithSubdirectories;
        std::vector<TDirEntry> Entries;
    };
    TPanelHost &m_host;
    TFieldControls m_fields;
    QLineEdit *m_directory;
    QToolButton *m_choose;
    QLabel *m_columnsLabel, *m_sortLabel;
    QSpinBox *m_columns;
    QCheckBox *m_files, *m_date, *m_size, *m_ascending;
    QComboBox *m_sort;
    bool m_subdirectories = false;
    std::optional<TScan> m_scan;
};

} // namespace

TPropertyPanel *MakeDirectoryPanel(TPanelHost &host, QWidget *parent) { return new TDirectoryPanel(host, parent); }
