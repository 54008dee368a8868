#include "FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
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
    return QFileDialog::getOpenFileName(parent, title, dir, filter());
}

QString AskSaveFileName(QWidget *parent, const QString &title, const QString &start)
{
    const QString proposed = safeFilePath(start);
    if (hook())
        return hook()(true, title, proposed);
    // Our own prompts ask before overwriting, with the program's texts.
    return QFileDialog::getSaveFileName(parent, title, proposed, filter(), nullptr, QFileDialog::DontConfirmOverwrite);
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
    return d.exec() == QDialog::Accepted ? d.selectedFiles().value(0) : QString();
}

void SetFileDialogHook(TFileDialogHook h) { hook() = std::move(h); }

QString AskSelectionFileName(QWidget *parent, bool save, const QString &title, const QString &start)
{
    const QString dir = SafeDialogFolder(start);
    if (hook())
        return hook()(save, title, dir);
    QFileDialog d(parent);
    configureSelectionDialog(d, save, title, dir);
    return d.exec() == QDialog::Accepted ? d.selectedFiles().value(0) : QString();
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
    return QFileDialog::getOpenFileName(parent, title, dir, DialogFilter(filter));
}
