#pragma once
// Inside the print job: the loops of each mode and the steps they share.
// Only PrintJob*.cpp include this.

#include "PrintJob.h"
#include "SerialNumberState.h"
#include "SheetPainter.h"

class TCDLDocument;

class TPrintJobRunner
{
public:
    // Unwinds the loops when the person cancels.
    struct TCancelled
    {
    };

    TPrintJobRunner(const TPrintRequest &request, TPrintTarget &target, TPagePainter &pages, TJobHost &host,
                    const TSheetMapping &mapping);
    void Run();
    // Ends an open document and leaves the copy count at 1, after any ending.
    void Finish();
    // The serial numbers as far as documents reached the printer.
    const TSerialNumberState &Delivered() const { return m_delivered; }

private:
    void CurrentCDIndirect();
    void CurrentCD();
    void CurrentInlays(TPageKind kind);
    void FrontsAndBacks(TCDLDocument &doc, int &sheet);
    void SelectionSheets();
    void SelectionSheet();
    void AllOpenCD();
    void AllOpenInlays(TPageKind kind);

    void Poll();
    void PollBeforeDraw();
    void SetCopies(int copies);
    void Begin();
    void End();
    // Opens sheet k: a new page while the open document prints single
    // copies, else a new document with its copy count.
    void NextSheet(int k, int copies = 1);
    // Ends the document so the sheet goes through the printer again.
    void SecondPass();
    void DrawCD(TCDLDocument *doc, int place);
    void DrawInlay(TCDLDocument *doc, TPageKind kind, int position);
    void DrawCutMarks(TPageKind kind);
    bool CopiesAllowed(TPageKind kind, const std::vector<TCDLDocument *> &docs) const;

    const TPrintRequest &m_request;
    TPrintTarget &m_target;
    TJobHost &m_host;
    TSheetPainter m_sheet;
    int m_total;
    int m_documentCopies = 1;
    bool m_pollBeforeDraw = true;
    TSerialNumberState m_delivered;
};
