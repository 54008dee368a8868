#pragma once
// The open and save dialogs of documents. Tests answer them through the hook
// instead of a real dialog.

#include <QString>
#include <functional>

class QWidget;

// Empty when cancelled.
QString AskOpenFileName(QWidget *parent, const QString &title, const QString &dir);
QString AskSaveFileName(QWidget *parent, const QString &title, const QString &proposed);

using TFileDialogHook = std::function<QString(bool save, const QString &title, const QString &proposed)>;
void SetFileDialogHook(TFileDialogHook hook);
