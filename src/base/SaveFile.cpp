#include "SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool CommitWhole(QSaveFile &f)
{
    // commit() closes the file without looking at the flush of its own
    // buffer: a last write that fails there would still be renamed over
    // the target. A device or pipe is no file to replace: renamed over,
    // /dev/full would become a document and the failed write a success.
    const QFileInfo target(f.fileName());
    const bool replaceable = !target.exists() || target.isFile();
    if (!replaceable || !f.isOpen() || !f.flush() || f.error() != QFileDevice::NoError) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool WriteFileWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return CommitWhole(f);
}

std::optional<QByteArray> ReadFileWhole(const QString &path, qint64 maxSize)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > maxSize)
        return std::nullopt;
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError || bytes.size() > maxSize)
        return std::nullopt;
    return bytes;
}
