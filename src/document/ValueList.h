#pragma once
// Value lists of serial-number frames: plain text files, one entry a line.

#include <QStringList>

// Lines ended by CR LF, CR or LF, the last one perhaps without; an empty
// line is an empty entry. UTF-8 when the bytes are valid UTF-8, else
// Windows-1252. Throws ELocalizedError (text 1051) for data that is not text
// and (text 1052) for a list too long for the frame's record.
QStringList ParseValueList(const QByteArray &data);
QStringList ReadValueListFile(const QString &path);
