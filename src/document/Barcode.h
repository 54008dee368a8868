#pragma once
// Bar codes of text-like frames when the bar-code font is not installed:
// the transformed text as a Code 39 symbol of filled rectangles.

#include "PaintContext.h"

#include <QStringList>
#include <memory>

class TCDLFrame;
class TCDLPage;
class TCDLText;

// What the bar-code tool creates: a text frame with the bar-code flag and
// the face named by the settings.
std::unique_ptr<TCDLText> CreateBarcodeFrame(TCDLPage *page, int32_t x, int32_t y);

bool BarcodeFontInstalled(const QString &family);

// What Code 39 carries of a transformed text: the start string at either end
// becomes its start/stop, the space string a blank, letters upper case.
// Characters it cannot carry are left out and appended to *rejected.
QString Code39Data(const QString &transformed, QString *rejected);

// One symbol per paragraph, stacked in the frame's rotated rectangle as
// drag points 1..4 hold it.
void PaintBarcode(TPaintContext &c, const TCDLFrame &f, const QStringList &transformed);
