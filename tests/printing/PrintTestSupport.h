#pragma once
// Documents, hosts and measurements shared by the printing tests.

#include "Document.h"
#include "PrintJob.h"
#include "RecordingTarget.h"
#include "SerNo.h"
#include "Shapes.h"
#include "SheetLayout.h"
#include "SheetMapping.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

// A document with no interactive window, as printing sees it.
// A temporary folder whose settings file the test reads and writes while the
// folder lives.
class TSettingsDir : public QTemporaryDir
{
public:
    TSettingsDir() { qputenv("QUELMARK_SETTINGS", QFile::encodeName(filePath(QStringLiteral("ZYRELL.INI")))); }
    ~TSettingsDir() { qputenv("QUELMARK_SETTINGS", m_saved); }
    TSettingsDir(const TSettingsDir &) = delete;
    TSettingsDir &operator=(const TSettingsDir &) = delete;

private:
    QByteArray m_saved = qgetenv("QUELMARK_SETTINGS");
};

inline std::unique_ptr<TCDLDocument> MakeDocument() { return std::make_unique<TCDLDocument>(nullptr); }

// A running-number frame on page; returns it for checking its Counter.
inline TCDLSerNo *AddSerialNumber(TCDLPage &page, int32_t counter = 1)
{
    auto s = std::make_unique<TCDLSerNo>(&page, 0, 0);
    s->Counter = counter;
    TCDLSerNo *raw = s.get();
    page.AddFrame(std::move(s));
    return raw;
}

// A filled rectangle far beyond every page, so what the trimming leaves
// of it shows where a page may print.
inline void AddFlood(TCDLPage &page, TColor color)
{
    auto r = std::make_unique<TCDLRechteck>(&page, -4000, -4000);
    r->Width = 8000;
    r->Height = 8000;
    r->NoFill = false;
    r->NoPen = true;
    r->FillColor = color;
    page.AddFrame(std::move(r));
}

// Records progress and second-pass messages; cancels when asked cancelAt
// times (0: never).
class TTestHost : public TJobHost
{
public:
    int CancelAt = 0;
    int Polls = 0;
    QStringList Messages;
    std::vector<std::pair<int, int>> ProgressSeen;

    bool CancelRequested() override { return CancelAt > 0 && ++Polls >= CancelAt; }
    void Progress(int sheet, int total) override { ProgressSeen.emplace_back(sheet, total); }
    void SecondPass(const QString &message) override { Messages.append(message); }
};

// The recording target's mapping: its resolution and physical offset, no
// stored calibration.
inline TSheetMapping MappingOf(const TPrintTarget &target)
{
    TSheetMapping m = TSheetMapping::ForResolution(target.Resolution());
    m.Calibration = {DefaultCalibration(target.PhysicalOffset().x(), target.Resolution().x()),
                     DefaultCalibration(target.PhysicalOffset().y(), target.Resolution().y())};
    return m;
}

// Bounding box of the pixels within tolerance of color inside area.
inline QRect ColorBox(const QImage &img, QColor color, QRect area, int tolerance = 40)
{
    area = area.intersected(img.rect());
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = line[x];
            if (std::abs(qRed(p) - color.red()) <= tolerance && std::abs(qGreen(p) - color.green()) <= tolerance
                && std::abs(qBlue(p) - color.blue()) <= tolerance)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// The horizontal and vertical run of color through inside: for a disc or a
// rectangle, its extent through that point. Pixel edges, so a run of one
// pixel at x is [x, x + 1).
inline QRectF SpanThrough(const QImage &img, QColor color, QPoint inside, int tolerance = 60)
{
    auto near = [&](int x, int y) {
        if (!img.rect().contains(x, y))
            return false;
        const QColor p = img.pixelColor(x, y);
        return std::abs(p.red() - color.red()) <= tolerance && std::abs(p.green() - color.green()) <= tolerance
               && std::abs(p.blue() - color.blue()) <= tolerance;
    };
    if (!near(inside.x(), inside.y()))
        return {};
    int l = inside.x(), r = inside.x(), t = inside.y(), b = inside.y();
    while (near(l - 1, inside.y()))
        --l;
    while (near(r + 1, inside.y()))
        ++r;
    while (near(inside.x(), t - 1))
        --t;
    while (near(inside.x(), b + 1))
        ++b;
    return QRectF(QPointF(l, t), QPointF(r + 1, b + 1));
}

// Whether a label of color fills CD place on a sheet rasterised at dpi.
inline bool LabelAt(const QImage &sheet, TSheetKind kind, int place, QColor color, int dpi)
{
    const QPointF c = QPointF(CDLabelCentre(kind, place)) * (dpi / 254.0);
    const QRectF span = SpanThrough(sheet, color, c.toPoint());
    return std::abs(span.center().x() - c.x()) <= 1.5 && std::abs(span.center().y() - c.y()) <= 1.5
           && std::abs(span.width() - 2 * SheetLabelRadius * dpi / 254.0) <= 2.5;
}

// pdftoppm's pages of pdf at dpi, in order; written as prefix-1.png, ...
inline std::vector<QImage> RasterisePdf(const QString &pdf, const QString &prefix, int dpi)
{
    auto page = [&](int i) { return QStringLiteral("%1-%2.png").arg(prefix).arg(i); };
    for (int i = 1; QFile::remove(page(i)); ++i) {
    }
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdf, prefix});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    std::vector<QImage> pages;
    for (int i = 1; QFile::exists(page(i)); ++i)
        pages.emplace_back(page(i));
    return pages;
}
