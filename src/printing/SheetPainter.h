#pragma once
// Draws pages onto the current sheet of a print target: places them by the
// sheet layout and mapping, lays down background colours, trims CD labels
// and draws cut marks. Used by the print job and the preview; drawing
// changes no page (the job advances serial numbers after each label).

#include "SheetLayout.h"
#include "SheetMapping.h"

class TPagePainter;
class TPrintTarget;
struct TSheetStep;

struct TSheetOptions
{
    TSheetKind Kind = TSheetKind::A4;
    TRoundTrim Trim = TRoundTrim::Direct;
    bool CutMarks = true;
    // The preview always clips CD labels to their circle, without discs.
    bool ForceCircleClip = false;
};

class TSheetPainter
{
public:
    TSheetPainter(TPrintTarget &target, const TSheetMapping &mapping, TPagePainter &pages, TSheetOptions options);

    const TSheetMapping &Mapping() const { return m_mapping; }

    // The pages must not be painted while no document is open: throws then.
    void DrawCDLabelAt(const TCDLabel &page, int position);
    void DrawInlayFrontAt(const TInlayVorder &page, int position)
    {
        DrawInlayAt(page, TPageKind::InlayVorder, position);
    }
    void DrawInlayBackAt(const TInlayRueck &page, int position) { DrawInlayAt(page, TPageKind::InlayRueck, position); }
    void DrawCutMarks(TCutMarks which);
    // A step of a sheet's plan: a page at its place or the cut marks; the
    // second pass is the job's business.
    void Draw(const TSheetStep &step);

private:
    QPainter &Painter();
    void DrawInlayAt(const TCDLPage &page, TPageKind kind, int position);
    void PaintAt(const TCDLPage &page, QPoint centre);

    TPrintTarget &m_target;
    TSheetMapping m_mapping;
    TPagePainter &m_pages;
    TSheetOptions m_options;
};
