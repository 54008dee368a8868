#pragma once
// What the person asked to print, and what follows from it alone: the
// sheets and the progress line. Its checks are in PrintChecks.h.

#include "SheetLayout.h"

#include <QString>
#include <array>
#include <vector>

class TCDLDocument;

// 1: the current document; 2: a choice of documents per place; 3: every
// open document.
enum class TPrintMode { Current = 1, Selection = 2, AllOpen = 3 };
enum class TPrintWhat { CDLabel = 0, InlayFront = 1, InlayBack = 2, FrontAndBack = 3 };

struct TPrintRequest
{
    TPrintMode Mode = TPrintMode::Current;
    TPrintWhat What = TPrintWhat::CDLabel;
    int Count = 1;                    // labels or inlays of each document, modes 1 and 3
    int FirstPlace = 1;               // first CD-label place of the first sheet, modes 1 and 3
    int Sheets = 1;                   // mode 2
    TCDLDocument *Active = nullptr;   // mode 1
    std::vector<TCDLDocument *> Open; // mode 3, in window order
    // Mode 2, per place; none leaves the place empty.
    std::array<TCDLDocument *, CDPositions> CDPlaces{};
    std::array<TCDLDocument *, 2> FrontPlaces{};
    std::array<TCDLDocument *, 2> BackPlaces{};
    TRoundTrim Trim = TRoundTrim::Direct;
    bool CutMarks = true;

    int First() const { return FirstPlace < 1 ? 1 : FirstPlace > CDPositions ? CDPositions : FirstPlace; }
    // The mode-2 places of the chosen kind.
    std::vector<TCDLDocument *> Places() const;
    // The open documents of mode 3 that exist.
    std::vector<TCDLDocument *> OpenDocuments() const;
};

// The sheets the job produces; 0 when nothing is to be printed.
int CountSheets(const TPrintRequest &r);

// "Page 2 of 5" in the current language.
QString ProgressLine(int sheet, int total);
