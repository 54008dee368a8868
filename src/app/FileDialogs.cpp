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
