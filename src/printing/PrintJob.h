#pragma once
// The print job: lays the requested pages onto sheets of a print target,
// sheet by sheet and label by label, advancing serial numbers as it draws.
// It splits CD-label sheets into two printer passes where indirect trimming
// needs it, and hands identical sheets to the driver as copies only where
// the target really makes them.

#include "PrintRequest.h"

class TPagePainter;
class TPrintTarget;
class TSheetMapping;

// The job's link to the person: progress, cancelling, the second pass.
class TJobHost
{
public:
    virtual ~TJobHost() = default;
    // Asked before every sheet, label and inlay; pending events run here.
    // True stops the job there: what was drawn still comes out.
    virtual bool CancelRequested() { return false; }
    virtual void Progress(int /*sheet*/, int /*total*/) {}
    // The sheet being printed has to go through the printer once more
    // (text 759). The job goes on when this returns.
    virtual void SecondPass(const QString & /*message*/) {}
};

struct TJobResult
{
    enum class TStatus { Printed, Refused, Cancelled, Failed };
    TStatus Status = TStatus::Printed;
    // Refused: why (750, 751); Failed: text 756 and the cause.
    QString Message;
};

// A failed job gives back the serial numbers of labels whose document the
// target did not take.
TJobResult RunPrintJob(const TPrintRequest &request, TPrintTarget &target, TPagePainter &pages, TJobHost &host,
                       const TSheetMapping &mapping);
