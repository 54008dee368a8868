#pragma once
// Libraries needed only when a picture of a foreign format or a scan is met
// live in small modules beside the program and are loaded on first use, so
// that the start does not bind and relocate them.

#include <QFunctionPointer>
#include <QString>

// The entry named symbol of the module name ("quelmark-imaging"), loaded
// once for the process; null when the module cannot be loaded, after the
// localized reason went to the log.
QFunctionPointer ModuleEntry(const char *name, const char *symbol);
// Why the module name could not be loaded, localized; empty when it loaded
// or was not asked for.
QString ModuleError(const char *name);
