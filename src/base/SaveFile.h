#pragma once
// Writing a file whole or not at all: the bytes go to a temporary file in
// the same folder, which replaces the target only when every write of it
// succeeded. A full disk or a file-size limit leaves the old file as it was.

#include <QByteArray>
#include <QString>

#include <optional>

class QSaveFile;

// Flushes f, checks that no write of it failed and renames it over its
// target, which must be a regular file if it exists; otherwise discards it.
// False when the target was not replaced.
bool CommitWhole(QSaveFile &f);

bool WriteFileWhole(const QString &path, const QByteArray &bytes);

// The whole content of a regular file of at most maxSize bytes; nullopt
// otherwise. A pipe or device named like a file would block the open or
// never end (/dev/zero), a directory is no file.
std::optional<QByteArray> ReadFileWhole(const QString &path, qint64 maxSize);
