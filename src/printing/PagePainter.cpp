#include "PagePainter.h"

#include "Page.h"

void TDocumentPagePainter::PaintPage(const TCDLPage &page, TPaintContext &c)
{
    // The sheet painter has laid down the background and clipped the place.
    page.Paint(c, TPagePaintOptions{.Preview = c.Preview});
}
