#include "FileListModel.h"

#include "PlainFileIcons.h"

#include <QFileSystemModel>

TFileListModel::TFileListModel(QDir::Filters filter, const QStringList &nameFilters, QObject *parent)
    : QSortFilterProxyModel(parent), m_files(new QFileSystemModel(this)), m_hidden(filter & QDir::Hidden)
{
    m_files->setIconProvider(PlainFileIcons());
    // Without QDir::System: no FIFOs, sockets or devices. Hidden folders stay
    // too, as the shown folder may lie inside one.
    m_files->setFilter(QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    if (!nameFilters.isEmpty()) {
        m_files->setNameFilters(nameFilters);
        m_files->setNameFilterDisables(false);
    }
    setSourceModel(m_files);
}

QModelIndex TFileListModel::SetFolder(const QString &path)
{
    m_files->setRootPath(path);
    m_folder = m_files->index(path);
    invalidateRowsFilter();
    return mapFromSource(m_folder);
}

QModelIndex TFileListModel::IndexOf(const QString &path) const { return mapFromSource(m_files->index(path)); }

QString TFileListModel::FilePath(const QModelIndex &index) const { return m_files->filePath(mapToSource(index)); }

bool TFileListModel::IsFile(const QModelIndex &index) const
{
    return index.isValid() && !m_files->isDir(mapToSource(index));
}

bool TFileListModel::filterAcceptsRow(int row, const QModelIndex &parent) const
{
    if (parent != m_folder)
        return true;
    const QModelIndex i = m_files->index(row, 0, parent);
    return !m_files->isDir(i) && (m_hidden || !m_files->fileInfo(i).isHidden());
}
