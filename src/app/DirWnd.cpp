#include "DirWnd.h"

#include "FileDialogs.h"
#include "FileListModel.h"
#include "MessageBoxText.h"
#include "PlainFileIcons.h"
#include "Strings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>

namespace {

TDirWndHook &hook()
{
    static TDirWndHook h;
    return h;
}

// The places worth listing: the root, the home folder and the mounted
// volumes that hold files, removable discs among them.
QStringList Volumes()
{
    QStringList roots{QDir::rootPath(), QDir::homePath()};
    for (const QStorageInfo &s : QStorageInfo::mountedVolumes()) {
        const QString root = s.rootPath();
        if (!s.isValid() || !s.isReady() || roots.contains(root))
            continue;
        for (const char *place : {"/media/", "/run/media/", "/mnt/", "/home/"})
            if (root.startsWith(QLatin1String(place)))
                roots.append(root);
    }
    return roots;
}

// Shown once a scan takes longer than a glance, so a quick one does not flash.
constexpr int kProgressDelayMs = 400;

struct TScanWindow
{
    QPointer<QWidget> Parent;
    QElapsedTimer Started;
    QPointer<QProgressDialog> Dialog;
    bool Busy = false;
    ~TScanWindow()
    {
        delete Dialog.data();
        if (Busy)
            QApplication::restoreOverrideCursor();
    }
    bool Step(int64_t found)
    {
        if (!Busy) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            Busy = true;
        }
        if (!Dialog && Started.elapsed() >= kProgressDelayMs) {
            Dialog = new QProgressDialog(QString(), GetText(1115), 0, 0, Parent);
            Dialog->setObjectName(QStringLiteral("ScanProgress"));
            Dialog->setWindowTitle(GetText(145));
            Dialog->setWindowModality(Qt::WindowModal);
            Dialog->setMinimumDuration(0);
            Dialog->show();
        }
        if (!Dialog)
            return true;
        Dialog->setLabelText(GetText(1113).arg(found));
        QApplication::processEvents();
        return !Dialog->wasCanceled();
    }
};

} // namespace

void SetDirWndHook(TDirWndHook h) { hook() = std::move(h); }

TDirWnd::TDirWnd(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TDirWnd"));
    auto *g = new QGridLayout(this);
    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("dcbDrive"));
    for (const QString &root : Volumes())
        m_drives->addItem(QDir::toNativeSeparators(root), root);
    m_folderModel = new QFileSystemModel(this);
    m_folderModel->setIconProvider(PlainFileIcons());
    m_folderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    m_folders = new QTreeView(this);
    m_folders->setObjectName(QStringLiteral("dlbDir"));
    m_folders->setModel(m_folderModel);
    for (int c = 1; c < m_folderModel->columnCount(); ++c)
        m_folders->hideColumn(c);
    m_folders->header()->hide();
    m_fileModel = new TFileListModel(QDir::Files | QDir::Hidden, {}, this);
    m_files = new QListView(this);
    m_files->setObjectName(QStringLiteral("flbFileView"));
    m_files->setModel(m_fileModel);
    m_files->setEnabled(false);
    m_subdirs = new QCheckBox(this);
    m_subdirs->setObjectName(QStringLiteral("cbSubDirs"));
    auto *image = new QPushButton(this);
    image->setObjectName(QStringLiteral("bImage"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("bOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("bCancel"));

    m_image = image;
    m_folderLabel = new QLabel(this);
    m_fileLabel = new QLabel(this);
    m_driveLabel = new QLabel(this);
    g->addWidget(m_folderLabel, 0, 0);
    g->addWidget(m_fileLabel, 0, 1);
    g->addWidget(m_folders, 1, 0);
    g->addWidget(m_files, 1, 1);
    g->addWidget(m_driveLabel, 2, 0);
    g->addWidget(m_drives, 3, 0);
    g->addWidget(m_subdirs, 4, 0);
    g->addWidget(image, 3, 1);
    g->addWidget(buttons, 5, 0, 1, 2);
    resize(560, 420);

    connect(m_drives, &QComboBox::currentIndexChanged, this, [this](int i) { showVolume(i); });
    connect(m_folders->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &i) { showFolder(i); });
    connect(image, &QPushButton::clicked, this, [this] { chooseImage(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showVolume(0);
    SetupStrings();
}

void TDirWnd::SetupStrings()
{
    setWindowTitle(GetText(145));
    m_folderLabel->setText(GetText(1501));
    m_fileLabel->setText(GetText(1502));
    m_driveLabel->setText(GetText(1503));
    m_subdirs->setText(GetText(1110));
    m_image->setText(GetText(1111));
}

void TDirWnd::Preset(const TFolderChoice &choice)
{
    m_subdirs->setChecked(choice.WithSubdirectories);
    const QString dir = QFileInfo(choice.Path).isDir() ? choice.Path : QString();
    if (dir.isEmpty())
        return;
    // The volume that holds the folder: the longest root it starts with.
    int best = 0;
    for (int i = 0; i < m_drives->count(); ++i) {
        const QString root = m_drives->itemData(i).toString();
        if (dir.startsWith(root) && root.size() > m_drives->itemData(best).toString().size())
            best = i;
    }
    m_drives->setCurrentIndex(best);
    const QModelIndex at = m_folderModel->index(QDir::cleanPath(dir));
    m_folders->setCurrentIndex(at);
    m_folders->scrollTo(at);
}

void TDirWnd::showVolume(int index)
{
    const QString root = m_drives->itemData(index).toString();
    m_folderModel->setRootPath(root);
    m_folders->setRootIndex(m_folderModel->index(root));
    m_files->setRootIndex(m_fileModel->SetFolder(root));
}

void TDirWnd::showFolder(const QModelIndex &index)
{
    const QString path = m_folderModel->filePath(index);
    m_files->setRootIndex(m_fileModel->SetFolder(path));
}

void TDirWnd::chooseImage()
{
    const QString start = m_drives->currentData().toString();
    const QString file = AskTextFileName(this, GetText(1111), start, GetText(1114));
    if (file.isEmpty())
        return;
    m_choice.Path = file;
    m_choice.WithSubdirectories = m_subdirs->isChecked();
    // Past done(): the image is the choice, not the folder in the tree.
    QDialog::done(Accepted);
}

void TDirWnd::done(int result)
{
    if (result == Accepted) {
        const QModelIndex at = m_folders->currentIndex();
        m_choice.Path = at.isValid() ? m_folderModel->filePath(at) : m_drives->currentData().toString();
    }
    m_choice.WithSubdirectories = m_subdirs->isChecked();
    QDialog::done(result);
}

bool AskListingFolder(QWidget *parent, TFolderChoice &choice)
{
    bool ok = false;
    if (hook()) {
        ok = hook()(choice);
    } else {
        TDirWnd w(parent);
        w.Preset(choice);
        ok = w.exec() == QDialog::Accepted;
        if (ok)
            choice = w.Choice();
    }
    if (!ok)
        return false;
    auto window = std::make_shared<TScanWindow>();
    window->Parent = parent;
    window->Started.start();
    choice.Progress = [window](int64_t found) { return window->Step(found); };
    choice.Failed = [](const QString &message) { MessageBoxText(message, mkError, mbOK); };
    return true;
}
