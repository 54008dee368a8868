#pragma once
// quelmark-cli calibrate: the calibration sheet on a queue or into a PDF
// file, and storing a queue's offsets and scale correction, for a print
// server set up without a display.

#include <QStringList>

// Exit code: 0 done, 1 refused or failed (the person's message on standard
// error), 2 a mistake in the arguments.
int CalibrateCommand(const QStringList &args);
