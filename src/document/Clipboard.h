#pragma once
// Frames in their record form for the clipboard and selection files: one
// record alone, or a selection block of several. The page operations here
// take and return bytes; only the window layer touches the system clipboard.

#include "ClipData.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

class TCDLPage;

// The name the private format is offered under.
inline constexpr char PrivateClipFormat[] = "ZORarur32 Objekt";
inline constexpr uint16_t SelectionEndMarker = 0xCEFA;
inline constexpr uint16_t SelectionFileVersion = 0x1111;
// Each paste of one copy lands this much further right and down.
inline constexpr int32_t PasteStep = 50;

namespace ClipboardText {
inline constexpr int BadFormat = 552;
inline constexpr int LoadTitle = 584;
inline constexpr int SaveTitle = 585;
} // namespace ClipboardText

// Marker, tag 16, the page's ClipId, the group's records, end marker.
QByteArray WriteSelectionBlock(const TCDLPage &page);

// The active frame's own clipboard form, else the selection block under a
// fresh ClipId; empty when nothing is selected or a copy is running.
TClipData CopyFromPage(TCDLPage &page);
// The copy, then the page's delete with its one deletion snapshot.
TClipData CutFromPage(TCDLPage &page);
// The private form if there is one, else a new frame of the kind that takes
// what another program put there (the text: a text frame).
// Returns whether anything arrived; the new frames are selected, the page
// marked modified and one creation snapshot covers them. Throws
// ELocalizedError for damaged data or a refused frame; the frames read
// before stay on the page.
bool PasteIntoPage(TCDLPage &page, const TClipData &clip);

// A selection file of what is selected (the active frame counts).
QByteArray SelectionFileBytes(TCDLPage &page);
// Writes beside the target and renames over it; throws ELocalizedError with
// the save message, leaving an old file as it was.
void SaveSelectionFile(TCDLPage &page, const QString &path);
// Inserts the file's frames as a paste does; only the head's marker is
// checked, so a document file fails at its first page section.
bool ReadSelectionFile(TCDLPage &page, const QByteArray &data);
bool LoadSelectionFile(TCDLPage &page, const QString &path);
