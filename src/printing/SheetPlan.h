#pragma once
// Which page goes to which place of each sheet of a print request, in the
// order the job draws them. The job and the preview both follow it, so the
// preview shows every label where, and with the serial number, the job
// prints it.

#include "PrintRequest.h"

#include <vector>

class TCDLDocument;

struct TSheetStep
{
    enum class TAction {
        Draw,       // Page of Document at Position
        SecondPass, // the sheet goes through the printer once more from here
        CutMarks,   // the cut marks of Marks
    };
    TAction Action = TAction::Draw;
    TCDLDocument *Document = nullptr;
    TPageKind Page = TPageKind::CDLabel;
    int Position = 0;
    TCutMarks Marks = TCutMarks::None;
};

struct TSheetPlan
{
    int First = 1;  // the sheet it is, 1-based
    int Copies = 1; // it stands for this many identical sheets, made by the driver
    std::vector<TSheetStep> Steps;
};

// Every sheet of request in order. With driverCopies, runs of identical
// sheets whose pages carry no serial numbers become one plan with copies;
// without, each sheet is a plan of its own.
std::vector<TSheetPlan> PlanSheets(const TPrintRequest &request, bool driverCopies);
