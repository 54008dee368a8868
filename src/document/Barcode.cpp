#include "Barcode.h"

#include "BinaryStream.h"
#include "Frame.h"
#include "Settings.h"
#include "Text.h"
#include "TextLayout.h"

#include <QFontDatabase>
#include <QHash>
#include <cmath>
#include <memory>
#include <zint.h>

namespace {

bool Code39Carries(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
           || QStringLiteral(" -.$/+%").contains(c);
}

struct TSymbolDeleter
{
    void operator()(zint_symbol *s) const { ZBarcode_Delete(s); }
};

} // namespace

std::unique_ptr<TCDLText> CreateBarcodeFrame(TCDLPage *page, int32_t x, int32_t y)
{
    auto f = std::make_unique<TCDLText>(page, x, y);
    f->Barcode = true;
    f->FontName = AppSettings().BarcodeFont.left(ShortStringMax);
    return f;
}

bool BarcodeFontInstalled(const QString &family)
{
    static QHash<QString, bool> cache;
    static int generation = -1;
    if (generation != FontGeneration()) {
        cache.clear();
        generation = FontGeneration();
    }
    auto it = cache.constFind(family);
    if (it == cache.constEnd())
        it = cache.insert(family, QFontDatabase::hasFamily(family));
    return *it;
}

QString Code39Data(const QString &transformed, QString *rejected)
{
    const TSettings &s = AppSettings();
    QString t = transformed;
    if (!s.BarcodeStart.isEmpty()) {
        if (t.startsWith(s.BarcodeStart))
            t.remove(0, s.BarcodeStart.size());
        if (t.endsWith(s.BarcodeStart))
            t.chop(s.BarcodeStart.size());
    }
    if (!s.BarcodeSpace.isEmpty())
        t.replace(s.BarcodeSpace, QStringLiteral(" "));
    t = t.toUpper();
    QString out;
    for (QChar c : t) {
        if (Code39Carries(c))
            out.append(c);
        else if (rejected && !rejected->contains(c))
            rejected->append(c);
    }
    return out;
}

void PaintBarcode(TPaintContext &c, const TCDLFrame &f, const QStringList &transformed)
{
    if (!c.Canvas || transformed.isEmpty())
        return;
    QPainter &p = *c.Canvas;
    const double wd = f.Width * c.ScaleX, rowHeight = f.Height * c.ScaleY / transformed.size();
    const QPoint p0 = f.DragPoints[1];
    p.save();
    c.SetMode(TPenMode::Copy);
    p.setPen(Qt::NoPen);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QTransform base = p.transform();
    for (qsizetype row = 0; row < transformed.size(); ++row) {
        const QByteArray data = Code39Data(transformed[row], nullptr).toLatin1();
        if (data.isEmpty())
            continue;
        std::unique_ptr<zint_symbol, TSymbolDeleter> sym(ZBarcode_Create());
        sym->symbology = BARCODE_CODE39;
        sym->show_hrt = 0;
        // The quiet zone inside the frame, so the code reads wherever it sits.
        sym->whitespace_width = 10;
        if (ZBarcode_Encode_and_Buffer_Vector(sym.get(), reinterpret_cast<const unsigned char *>(data.constData()),
                                              int(data.size()), 0)
                >= ZINT_ERROR
            || !sym->vector || sym->vector->width <= 0 || sym->vector->height <= 0)
            continue;
        QTransform t;
        t.translate(p0.x(), p0.y());
        t.rotate(-f.Angle);
        t.translate(0, rowHeight * double(row));
        t.scale(wd / sym->vector->width, rowHeight / sym->vector->height);
        p.setTransform(t * base);
        for (const zint_vector_rect *r = sym->vector->rectangles; r; r = r->next)
            p.fillRect(QRectF(r->x, r->y, r->width, r->height), ToQColor(f.PenColor));
    }
    p.restore();
}
