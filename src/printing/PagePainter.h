#pragma once
// Painting a page's contents at a place on a sheet. The sheet drawing sets
// up the context (device centre of the page, scale, clipping, background)
// and hands the page to a page painter, so the painting entry can be
// exchanged.

class TCDLPage;
class TPaintContext;

class TPagePainter
{
public:
    virtual ~TPagePainter() = default;
    // c.Canvas is active; model point (0,0) of the page maps to c's offsets.
    // c.Preview tells a sheet shown on screen from one going to paper.
    virtual void PaintPage(const TCDLPage &page, TPaintContext &c) = 0;
};

// The document's own page painting, for output: no grid, guide lines or
// handles. Painting leaves the pages as they are, open on screen or not.
class TDocumentPagePainter : public TPagePainter
{
public:
    void PaintPage(const TCDLPage &page, TPaintContext &c) override;
};
