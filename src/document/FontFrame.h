#pragma once
// What the text-like kinds share: one font, an alignment, the bar-code flag
// and the paragraphs. Text, round text and serial numbers build on it.

#include "Frame.h"

#include <QStringList>

class TCDLFontFrame : public TCDLFrame
{
public:
    using TCDLFrame::TCDLFrame;

    QString FontName = QStringLiteral("Arial");
    int32_t FontSize = 10;
    bool Bold = false, Italic = false, Underline = false;
    // 0 left, 1 centred, 2 right, 3 justified.
    int32_t Alignment = 0;
    bool Barcode = false;
    QStringList Values;
};
