#pragma once
// Where the string table comes from. The program uses the tables built into
// its resources; tests and translators can point it at a folder of .tsv files
// with the same names instead.

#include <QString>

// Drops the loaded table; the next lookup reads the files in folder, or the
// built-in tables again when folder is empty.
void UseStringTableFolder(const QString &folder);
