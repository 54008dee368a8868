#pragma once
// The files of one folder for a list view. A file system model that leaves
// folders out by its own filter drops the shown folder's node, and with it
// the view's root, when it re-reads a parent that changed (another folder
// made or removed beside it). Here the file system model keeps every folder
// and the folders inside the shown one are left out above it.

#include <QDir>
#include <QPersistentModelIndex>
#include <QSortFilterProxyModel>

class QFileSystemModel;

class TFileListModel : public QSortFilterProxyModel
{
public:
    // filter: which files show (QDir::Files, optionally QDir::Hidden).
    TFileListModel(QDir::Filters filter, const QStringList &nameFilters, QObject *parent);

    // Lists path; the index to give the view as its root.
    QModelIndex SetFolder(const QString &path);
    QModelIndex IndexOf(const QString &path) const;
    QString FilePath(const QModelIndex &index) const;
    bool IsFile(const QModelIndex &index) const;

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override;

private:
    QFileSystemModel *m_files;
    QPersistentModelIndex m_folder;
    bool m_hidden;
};
