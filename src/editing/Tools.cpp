#include "Tools.h"

#include "RoundText.h"
#include "SerNo.h"
#include "Settings.h"
#include "Shapes.h"
#include "Text.h"

bool ToolAvailable(TTool t)
{
    return t != TTool::Dir && t != TTool::Bild && t != TTool::Scan;
}

std::unique_ptr<TCDLFrame> CreateToolFrame(TTool t, TCDLPage *page, int32_t x, int32_t y)
{
    switch (t) {
    case TTool::Text: return std::make_unique<TCDLText>(page, x, y);
    case TTool::Barcode: {
        auto f = std::make_unique<TCDLText>(page, x, y);
        f->Barcode = true;
        f->FontName = AppSettings().BarcodeFont.left(40);
        return f;
    }
    case TTool::RText: return std::make_unique<TCDLRText>(page, x, y);
    case TTool::Linie: return std::make_unique<TCDLLinie>(page, x, y);
    case TTool::Rechteck: return std::make_unique<TCDLRechteck>(page, x, y);
    case TTool::Kreis: return std::make_unique<TCDLKreis>(page, x, y);
    case TTool::Ellipse: return std::make_unique<TCDLEllipse>(page, x, y);
    case TTool::SerNo: return std::make_unique<TCDLSerNo>(page, x, y);
    default: return nullptr;
    }
}
