#pragma once
// Bar codes of text-like frames: the tool's frame, and, when the bar-code
// font is not installed, the transformed text as Code 39 bars from zint.

#include <QString>
#include <memory>
#include <vector>

class TCDLPage;
class TCDLText;

// What the bar-code tool creates: a text frame with the bar-code flag and
// the face named by the settings.
std::unique_ptr<TCDLText> CreateBarcodeFrame(TCDLPage *page, int32_t x, int32_t y);
// Makes a text frame that bar code.
void PrepareBarcode(TCDLText &f);

bool BarcodeFontInstalled(const QString &family);

// What Code 39 carries of a transformed text: the start string at either end
// becomes its start/stop, the space string a blank, letters upper case.
// Characters it cannot carry are left out and appended to *rejected.
QString Code39Data(const QString &transformed, QString *rejected);

// What the bar codes drawn on page leave out, each character once: a print
// must say so, or a code would come out short or as bare start and stop.
QString BarcodeRejects(const TCDLPage &page);

// Without the font, a bar code is set as a Code 39 font of the frame's size
// would set it: one symbol character for each character of the transformed
// text, on the text's lines.

// Narrow bar and advance of one symbol character (gap included) for a font
// size in points, model units.
double Code39Module(int32_t fontSize);
int32_t Code39Advance(int32_t fontSize);
// Whether a character of the transformed text becomes a symbol character.
bool Code39Draws(QChar ch);

// The bars of one laid-out line, in modules from its start. A line that does
// not begin (end) with the start string is a wrapped piece of a longer code
// and has no start (stop) character, as with a font.
struct TCode39Line
{
    struct TBar
    {
        int Start, Width;
    };
    std::vector<TBar> Bars;
    int Modules = 0;
};
TCode39Line Code39Line(const QString &transformedLine);
