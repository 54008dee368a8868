#include "FileDialogs.h"

#include "OpenPreview.h"
#include "Settings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSet>
#include <QStandardPaths>
#include <QStorageInfo>

namespace {

bool underPseudoFolder(const QString &path)
{
    for (const char *root : {"/proc", "/sys", "/dev"}) {
        const QString r = QLatin1String(root);
        if (path == r || path.startsWith(r + QLatin1Char('/')))
            return true;
    }
    return false;
}

bool onPseudoFileSystem(const QString &dir)
{
    QString probe = QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
    if (underPseudoFolder(probe))
        return true;
    // A folder that is gone lies where its nearest existing parent lies.
    while (!QFileInfo::exists(probe) && probe != QDir::rootPath())
        probe = QFileInfo(probe).absolutePath();
    probe = QFileInfo(probe).canonicalFilePath();
    if (underPseudoFolder(probe))
        return true;
    static const QSet<QByteArray> kinds = {
        "proc",      "sysfs",       "devtmpfs", "devpts",    "debugfs",    "tracefs", "securityfs",
        "cgroup",    "cgroup2",     "pstore",   "bpf",       "configfs",   "fusectl", "mqueue",
        "hugetlbfs", "binfmt_misc", "efivarfs", "selinuxfs", "rpc_pipefs", "nsfs",    "autofs",
    };
    const QStorageInfo storage(probe);
    return storage.isValid() && kinds.contains(storage.fileSystemType());
}

// A proposed file path: its folder made safe, its name kept.
QString safeFilePath(const QString &path)
{
    const QFileInfo fi(path);
    const QString dir = fi.path();
    const QString safe = SafeDialogFolder(dir);
    return safe == dir ? path : QDir(safe).filePath(fi.fileName());
}

// Names a file's type and icon by its name alone. The stock provider reads
// files to guess their type, and the dialog asks it for every entry of a
// folder it lists, also one typed or completed: a FIFO or a kernel file that
// never ends (/proc/kmsg) hangs the dialog and the program.
class TNameOnlyIconProvider : public QFileIconProvider
{
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo &info) const override
    {
        if (info.isDir())
            return icon(QAbstractFileIconProvider::Folder);
        const QMimeType m = byName(info);
        const QIcon themed = QIcon::fromTheme(m.iconName(), QIcon::fromTheme(m.genericIconName()));
        return themed.isNull() ? icon(QAbstractFileIconProvider::File) : themed;
    }
    QString type(const QFileInfo &info) const override
    {
        if (info.isDir())
            return QFileIconProvider::type(info);
        const QMimeType m = byName(info);
        return m.comment().isEmpty() ? m.name() : m.comment();
    }

private:
    QMimeType byName(const QFileInfo &info) const
    {
        return m_mime.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    }
    QMimeDatabase m_mime;
};

// Every dialog is Qt's own, so that it takes the provider (a platform's
// dialog brings its own).
bool run(QFileDialog &d)
{
    // The dialog's file list may still ask after the dialog is gone.
    static auto *const names = new TNameOnlyIconProvider;
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setIconProvider(names);
    return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty();
}

QString openDialog(QWidget *parent, const QString &title, const QString &dir, const QString &filter)
{
    QFileDialog d(parent, title, dir, filter);
    d.setFileMode(QFileDialog::ExistingFile);
    return run(d) ? d.selectedFiles().first() : QString();
}

TFileDialogHook &hook()
{
    static TFileDialogHook h;
    return h;
}

const QString &filter()
{
    static const QString f = QStringLiteral("CD-Label (*.cdl *.CDL);;* (*)");
    return f;
}

void configureSelectionDialog(QFileDialog &d, bool save, const QString &title, const QString &dir)
{
    d.setWindowTitle(title);
    d.setDirectory(dir);
    d.setNameFilter(QStringLiteral("DADuded Selektion (*.CDS *.cds)"));
    d.setDefaultSuffix(QStringLiteral("CDS"));
    d.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    d.setOption(QFileDialog::DontConfirmOverwrite, true);
}

} // namespace

QString SafeDialogFolder(const QString &dir)
{
    if (!onPseudoFileSystem(dir))
        return dir;
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !docs.isEmpty() && QFileInfo(docs).isDir() ? docs : QDir::homePath();
}

QString AskOpenFileName(QWidget *parent, const QString &title, const QString &start)
{
    const QString dir = SafeDialogFolder(start);
    if (hook())
        return hook()(false, title, dir);
    return openDialog(parent, title, dir, filter());
}

QString AskSaveFileName(QWidget *parent, const QString &title, const QString &start)
{
    const QString proposed = safeFilePath(start);
    if (hook())
        return hook()(true, title, proposed);
    QFileDialog d(parent, title, QString(), filter());
    d.selectFile(proposed);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    // Our own prompts ask before overwriting, with the program's texts.
    d.setOption(QFileDialog::DontConfirmOverwrite);
    return run(d) ? d.selectedFiles().first() : QString();
}

QString AskPdfFileName(QWidget *parent, const QString &title, const QString &start)
{
    const QString proposed = safeFilePath(start);
    if (hook())
        return hook()(true, title, proposed);
    QFileDialog d(parent, title);
    d.selectFile(proposed);
    d.setNameFilter(QStringLiteral("PDF (*.pdf *.PDF)"));
    d.setDefaultSuffix(QStringLiteral("pdf"));
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    return run(d) ? d.selectedFiles().first() : QString();
}

void SetFileDialogHook(TFileDialogHook h) { hook() = std::move(h); }

QString AskSelectionFileName(QWidget *parent, bool save, const QString &title, const QString &start)
{
    const QString dir = SafeDialogFolder(start);
    if (hook())
        return hook()(save, title, dir);
    QFileDialog d(parent);
    configureSelectionDialog(d, save, title, dir);
    return run(d) ? d.selectedFiles().first() : QString();
}

QString DialogFilter(const QString &tableFilter)
{
    const QStringList parts = tableFilter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &name = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        out.append(name.contains(QLatin1Char('(')) ? name : QStringLiteral("%1 (%2)").arg(name, patterns));
    }
    return out.join(QStringLiteral(";;"));
}

QString AskTextFileName(QWidget *parent, const QString &title, const QString &start, const QString &filter)
{
    const QString dir = SafeDialogFolder(start);
    if (hook())
        return hook()(false, title, dir);
    return openDialog(parent, title, dir, DialogFilter(filter));
}

QString AskOpenDocumentName(QWidget *parent, const QString &title, const QString &start)
{
    if (hook() || !AppSettings().OpenWithPreview)
        return AskOpenFileName(parent, title, start);
    TOpenPreview d(parent, SafeDialogFolder(start));
    d.setWindowTitle(title);
    return d.exec() == QDialog::Accepted ? d.FileName() : QString();
}

QString AskFolderName(QWidget *parent, const QString &title, const QString &start)
{
    const QString dir = SafeDialogFolder(start);
    if (hook())
        return hook()(false, title, dir);
    QFileDialog d(parent, title, dir);
    d.setFileMode(QFileDialog::Directory);
    d.setOption(QFileDialog::ShowDirsOnly);
    return run(d) ? d.selectedFiles().first() : QString();
}
