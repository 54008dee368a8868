#pragma once
// The drawing tools of the tool bar and the frames they create.

#include <cstdint>
#include <memory>

class TCDLFrame;
class TCDLPage;

// In tool-bar order; the buttons carry the same names.
enum class TTool { Edit, Text, RText, Linie, Rechteck, Kreis, Ellipse, Barcode, SerNo, Dir, Bild, Scan };
inline constexpr int ToolCount = 12;

// Pictures, scans and directory listings have no frame kind yet.
bool ToolAvailable(TTool t);

// A new frame of the tool's kind at the model point, not yet on the page;
// null for the edit tool and the kinds that do not exist.
std::unique_ptr<TCDLFrame> CreateToolFrame(TTool t, TCDLPage *page, int32_t x, int32_t y);
