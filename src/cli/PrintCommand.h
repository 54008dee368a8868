#pragma once
// quelmark-cli print: the print job without a window, for batches and
// scripts, to a printer queue or a PDF file; preview: one of its sheets as
// the print preview shows it, as an image.

#include <QStringList>

// Exit code: 0 printed, 1 refused or failed (the person's message on
// standard error), 2 a mistake in the arguments.
int PrintCommand(const QStringList &args);
int PreviewCommand(const QStringList &args);
