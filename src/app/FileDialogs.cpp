#include "FileDialogs.h"

#include <QFileDialog>

namespace {

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

QString AskOpenFileName(QWidget *parent, const QString &title, const QString &dir)
{
    if (hook())
        return hook()(false, title, dir);
    return QFileDialog::getOpenFileName(parent, title, dir, filter());
}

QString AskSaveFileName(QWidget *parent, const QString &title, const QString &proposed)
{
    if (hook())
        return hook()(true, title, proposed);
    // Our own prompts ask before overwriting, with the program's texts.
    return QFileDialog::getSaveFileName(parent, title, proposed, filter(), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void SetFileDialogHook(TFileDialogHook h) { hook() = std::move(h); }

QString AskSelectionFileName(QWidget *parent, bool save, const QString &title, const QString &dir)
{
    if (hook())
        return hook()(save, title, dir);
    QFileDialog d(parent);
    configureSelectionDialog(d, save, title, dir);
    return d.exec() == QDialog::Accepted ? d.selectedFiles().value(0) : QString();
}
