#pragma once
// Writing a file whole or not at all: the bytes go to a temporary file in
// the same folder, which replaces the target only when every write of it
// succeeded. A full disk or a file-size limit leaves the old file as it was.

#include <QByteArray>
#include <QString>

class QSaveFile;

// Flushes f, checks that no write of it failed and renames it over its
// target; otherwise discards it. False when the target was not replaced.
bool CommitWhole(QSaveFile &f);

bool WriteFileWhole(const QString &path, const QByteArray &bytes);
