#include "SaveFile.h"

#include <QSaveFile>

bool CommitWhole(QSaveFile &f)
{
    // commit() closes the file without looking at the flush of its own
    // buffer: a last write that fails there would still be renamed over
    // the target.
    if (!f.isOpen() || !f.flush() || f.error() != QFileDevice::NoError) {
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
