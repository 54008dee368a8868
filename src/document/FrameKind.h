#pragma once
// What is declared once per frame kind, in the kind's own file: its record
// tag and class name, how it is made and by which tools, which property
// panels it shows, whether a new one takes the text input, how its handles
// snap, how undo keeps its properties and which pasted data makes one. The
// registry lists the kinds; everything else asks the kind.

#include <QFlags>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

class TCDLFrame;
class TCDLPage;
class TCreationHost;
struct TClipData;

// The buttons of the tool bar, in tool-bar order.
enum class TTool {
    Edit,
    Text,
    RoundText,
    Line,
    Rectangle,
    Circle,
    Ellipse,
    Barcode,
    SerialNumber,
    DirectoryListing,
    Picture,
    ScannedPicture,
};
inline constexpr int ToolCount = 12;

// The panels of the property roll-ups, and the controls in them that a kind
// switches on or off, as the bits of the established panel masks.
enum class TPanel : uint16_t {
    FillColor = 0x0001,    // the fill-colour button; without it the colours act on the pen
    ColorPanel = 0x0002,   // rColorPanel
    Pen = 0x0004,          // rStift
    NoPenBox = 0x0008,     // the "no pen" check box of the pen panel
    Rotation = 0x0010,     // rDrehung
    Font = 0x0020,         // rSchriftart
    Justify = 0x0040,      // the justified-alignment button
    SerialNumber = 0x0080, // rSerNo
    Text = 0x0100,         // rText
    RoundText = 0x0200,    // rRundtext
    Directory = 0x0400,    // rVerzeichnis
    NoAlignment = 0x0800,  // left, centre and right disabled
    ImageRotate = 0x1000,  // rImageRotate
};
Q_DECLARE_FLAGS(TPanels, TPanel)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPanels)

// The panel input that a new frame of the kind takes the focus into.
enum class TTextFocus : uint8_t { None, Text, RoundText, SerialNumber };

// How a dragged handle meets a guide line.
enum class TSnapRule : uint8_t {
    Box,        // each handle along its drag in the frame's rotated box
    Pointer,    // the handles are free points: the pointer itself snaps
    BoxCorners, // the corners as Box, the side handles as Pointer
};

// A tool that makes the kind, and what it sets on a new frame beyond the
// kind's defaults (null: nothing).
struct TKindTool
{
    TTool Tool;
    void (*Prepare)(TCDLFrame &f);
    // Asks the person for what the frame needs before it goes on the page (a
    // picture file, a scan), once it has its size; false when they cancel or
    // it fails, and nothing is made. Null: the frame needs nothing.
    bool (*Ask)(TCDLFrame &f, TCreationHost &host) = nullptr;
};

// Undo's record of a frame's properties where it is not the full record (a
// picture keeps its picture out): the first Fields rows of the kind's record
// under a tag of its own.
struct TPropertyRecord
{
    uint16_t Tag;
    size_t Fields;
};

struct TFrameKind
{
    uint16_t Tag;
    const char *ClassName;
    // A new frame at the model point, not yet on the page; null for a kind
    // that is never built on its own.
    std::unique_ptr<TCDLFrame> (*Create)(TCDLPage *page, int32_t x, int32_t y);
    std::span<const TKindTool> Tools;
    TPanels Panels;
    TTextFocus Focus;
    TSnapRule Snap;
    // Null: undo keeps the full record.
    const TPropertyRecord *Properties = nullptr;
    // Whether data another program put on the clipboard makes a frame of the
    // kind, judged by what is offered (the Has flags), so a window can ask
    // before it fetches the data. The frame is made with its defaults and
    // takes the data by PasteFromClip. Null: never made by a paste.
    bool (*TakesPaste)(const TClipData &clip) = nullptr;
};

template <class K> std::unique_ptr<TCDLFrame> MakeFrame(TCDLPage *page, int32_t x, int32_t y)
{
    return std::make_unique<K>(page, x, y);
}
