#include "ReferenceContext.h"

#include <QCoreApplication>
#include <QImage>
#include <memory>

namespace {

struct TObjectContainer
{
    QImage Image{16, 16, QImage::Format_ARGB32_Premultiplied};
    QPainter Painter;
    TPaintContext Context;

    TObjectContainer()
    {
        // 96 dpi, a fixed reference whatever the screen says.
        Image.setDotsPerMeterX(3780);
        Image.setDotsPerMeterY(3780);
        Painter.begin(&Image);
        Context.Canvas = &Painter;
        Context.Interactive = true;
        Context.Printing = false;
    }
};

std::unique_ptr<TObjectContainer> g_container;

} // namespace

TPaintContext &ReferenceContext()
{
    if (!g_container) {
        g_container = std::make_unique<TObjectContainer>();
        // Painters and fonts must go before the application object does.
        qAddPostRoutine([] { g_container.reset(); });
    }
    return g_container->Context;
}
