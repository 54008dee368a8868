#pragma once
// The open and save dialogs of documents. Tests answer them through the hook
// instead of a real dialog.

#include <QString>
#include <functional>

class QWidget;

// Every dialog starts outside kernel and device file systems (/proc, /sys,
// /dev ...): listing them can hang the dialog and nothing is saved there.
// Such a folder gives way to the documents folder, else the home folder.
// Typed or browsed into one, a dialog still reads no file there: it is Qt's
// own dialog, naming each file's type and icon by its name alone.

// Empty when cancelled.
QString AskOpenFileName(QWidget *parent, const QString &title, const QString &dir);
// A document to open: with the previews when the settings ask for them,
// else as AskOpenFileName.
QString AskOpenDocumentName(QWidget *parent, const QString &title, const QString &dir);
QString AskSaveFileName(QWidget *parent, const QString &title, const QString &proposed);

// The selection-file dialogs: their filter and default suffix, starting in
// dir. The save dialog leaves the overwrite question to the caller.
QString AskSelectionFileName(QWidget *parent, bool save, const QString &title, const QString &dir);

// The file a print goes into: PDF filter and suffix; asks before replacing a
// file.
QString AskPdfFileName(QWidget *parent, const QString &title, const QString &proposed);

// A text file to open, starting in dir; filter as the string table writes
// it: "name|pattern|name|pattern".
QString AskTextFileName(QWidget *parent, const QString &title, const QString &dir, const QString &filter);
// That filter as the dialog takes it: "name (pattern);;name (pattern)".
QString DialogFilter(const QString &tableFilter);
// dir itself, or the fallback when dir lies on such a file system.
QString SafeDialogFolder(const QString &dir);

using TFileDialogHook = std::function<QString(bool save, const QString &title, const QString &proposed)>;
void SetFileDialogHook(TFileDialogHook hook);

// A folder, starting in dir; empty when cancelled.
QString AskFolderName(QWidget *parent, const QString &title, const QString &dir);
