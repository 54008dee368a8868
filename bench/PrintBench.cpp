// A batch print through quelmark-cli: 1,000 numbered CD labels (a bold
// title, the running number and a Code 39 bar code) into one PDF, and one
// sheet of a typical label. Beside each, its floor: this program run with
// --floor, which starts a QGuiApplication as the tool does and writes the
// same pages with QPdfWriter from a display list made before: the glyphs,
// bars, shapes and clips the tool draws, at the same places. Wall times and
// peak memory of the processes; run a Release build for numbers worth
// comparing.

#include "Barcode.h"
#include "BenchSupport.h"
#include "Document.h"
#include "PagePainter.h"
#include "PrintJob.h"
#include "PrintTarget.h"
#include "SerNo.h"
#include "Settings.h"
#include "SheetMapping.h"
#include "Text.h"

#include <QDataStream>
#include <QFileInfo>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRawFont>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextLayout>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

namespace {

constexpr int Runs = 5;
constexpr int Labels = 1000;
constexpr int Dpi = 600;

void MakeDocument(const QString &path)
{
    TCDLDocument doc;
    TCDLabel &label = doc.Label();
    auto title = std::make_unique<TCDLText>(&label, -400, -350);
    title->Width = 800;
    title->Height = 120;
    title->FontSize = 20;
    title->Bold = true;
    title->Values = QStringList{QStringLiteral("Summer Tour 2027")};
    label.AddFrame(std::move(title));

    auto number = std::make_unique<TCDLSerNo>(&label, -300, 250);
    number->Width = 600;
    number->Height = 100;
    number->FontSize = 14;
    number->NumberFormat = QStringLiteral("No. ####");
    label.AddFrame(std::move(number));

    // A file keeps no bar-code flag for a serial number: the code is the
    // catalogue number, drawn anew on every label all the same.
    auto code = std::make_unique<TCDLText>(&label, -400, 370);
    code->Width = 800;
    code->Height = 150;
    code->FontSize = 12;
    PrepareBarcode(*code);
    code->Values = QStringList{QStringLiteral("CD-2027-07")};
    label.AddFrame(std::move(code));
    doc.Save(path);
}

// ---- the display list of the floor ------------------------------------------

// An op byte, then for rectangles a count and the rectangles as they lie
// in memory, for glyphs a font's number, a count, the glyph indexes and
// their positions, for the rest a size and a QDataStream of their values:
// the floor takes what is most of the list as it lies.
enum class TOp : quint8 { State, Page, Path, Polygon, Rects, Lines, Ellipse, Font, Glyphs, Image };

// Records what a painter draws at the PDF's resolution, text as shaped
// glyphs, into a list the floor replays.
class TCaptureEngine : public QPaintEngine
{
public:
    explicit TCaptureEngine(QByteArray &out) : QPaintEngine(AllFeatures), m_out(out) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    // Drawn as into a PDF.
    Type type() const override { return Pdf; }
    void updateState(const QPaintEngineState &s) override
    {
        const DirtyFlags f = s.state();
        if (f & DirtyTransform)
            m_transform = s.transform();
        if (f & DirtyPen)
            m_pen = s.pen();
        if (f & DirtyBrush)
            m_brush = s.brush();
        if (f & DirtyHints)
            m_hints = s.renderHints();
        if (f & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled))
            m_clipTransform = m_transform;
        if (f & DirtyClipEnabled)
            m_clipOn = s.isClipEnabled();
        if (f & DirtyClipPath) {
            m_clip = s.clipPath();
            m_clipOn = s.clipOperation() != Qt::NoClip;
        }
        if (f & DirtyClipRegion) {
            m_clip = QPainterPath();
            m_clip.addRegion(s.clipRegion());
            m_clipOn = s.clipOperation() != Qt::NoClip;
        }
        m_dirty |= f
                   & (DirtyTransform | DirtyPen | DirtyBrush | DirtyHints | DirtyClipPath | DirtyClipRegion
                      | DirtyClipEnabled);
    }
    void drawPath(const QPainterPath &path) override
    {
        Blob(TOp::Path, [&](QDataStream &s) { s << path; });
    }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        Blob(TOp::Polygon,
             [&](QDataStream &s) { s << QPolygonF(QList<QPointF>(points, points + count)) << int(mode); });
    }
    void drawRects(const QRectF *rects, int count) override
    {
        Op(TOp::Rects);
        Raw(rects, count);
    }
    void drawLines(const QLineF *lines, int count) override
    {
        Blob(TOp::Lines, [&](QDataStream &s) { s << QList<QLineF>(lines, lines + count); });
    }
    void drawEllipse(const QRectF &r) override
    {
        Blob(TOp::Ellipse, [&](QDataStream &s) { s << r; });
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        // The font as the PDF resolves it, at its resolution.
        const QFont font(item.font(), paintDevice());
        QTextLayout layout(item.text(), font, paintDevice());
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        for (const QGlyphRun &run : layout.glyphRuns()) {
            QList<QPointF> at = run.positions();
            for (QPointF &q : at)
                q += p - QPointF(0, line.ascent());
            const qreal pixels = run.rawFont().pixelSize();
            const QString key = font.key() + QString::number(pixels);
            if (!m_fonts.contains(key)) {
                m_fonts.insert(key, int(m_fonts.size()));
                Blob(TOp::Font, [&](QDataStream &s) { s << font << pixels; });
            }
            const QList<quint32> glyphs = run.glyphIndexes();
            Op(TOp::Glyphs);
            Raw(&m_fonts[key], 1, false);
            Raw(glyphs.constData(), int(glyphs.size()));
            Raw(at.constData(), int(at.size()), false);
        }
    }
    void drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &sr) override
    {
        drawImage(r, pm.toImage(), sr, Qt::AutoColor);
    }
    void drawImage(const QRectF &r, const QImage &image, const QRectF &sr, Qt::ImageConversionFlags) override
    {
        Blob(TOp::Image, [&](QDataStream &s) { s << r << image << sr; });
    }
    void NewPage()
    {
        m_out.append(char(TOp::Page));
        m_dirty = AllDirty;
    }

private:
    // Without a count for an array whose count went before.
    template <typename T> void Raw(const T *data, int count, bool counted = true)
    {
        if (counted)
            m_out.append(reinterpret_cast<const char *>(&count), sizeof count);
        m_out.append(reinterpret_cast<const char *>(data), qsizetype(sizeof(T)) * count);
    }

    template <typename F> void Blob(TOp op, F &&write)
    {
        Op(op);
        QByteArray blob;
        QDataStream s(&blob, QIODevice::WriteOnly);
        write(s);
        Raw(blob.constData(), int(blob.size()));
    }

    void Op(TOp op)
    {
        if (m_dirty) {
            const DirtyFlags dirty = m_dirty;
            m_dirty = {};
            Blob(TOp::State, [&](QDataStream &s) {
                s << int(dirty);
                if (dirty & DirtyTransform)
                    s << m_transform;
                if (dirty & DirtyPen)
                    s << m_pen;
                if (dirty & DirtyBrush)
                    s << m_brush;
                if (dirty & DirtyHints)
                    s << int(m_hints);
                if (dirty & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled))
                    s << m_clipOn << m_clipTransform << m_clip;
            });
        }
        m_out.append(char(op));
    }

    QByteArray &m_out;
    QHash<QString, int> m_fonts;
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    QPainter::RenderHints m_hints;
    bool m_clipOn = false;
    QTransform m_clipTransform;
    QPainterPath m_clip;
    DirtyFlags m_dirty = AllDirty;
};

class TCaptureDevice : public QPaintDevice
{
public:
    explicit TCaptureDevice(QByteArray &out) : m_engine(out) {}
    QPaintEngine *paintEngine() const override { return &m_engine; }
    TCaptureEngine &Engine() { return m_engine; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        const QSize size = QPageSize(QPageSize::A4).sizePixels(Dpi);
        switch (m) {
        case PdmWidth: return size.width();
        case PdmHeight: return size.height();
        case PdmWidthMM: return 210;
        case PdmHeightMM: return 297;
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return Dpi;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    mutable TCaptureEngine m_engine;
};

// A PDF's place in the job: A4 at the PDF target's resolution, no
// calibration, the pages captured.
class TCaptureTarget : public TPrintTarget
{
public:
    explicit TCaptureTarget(QByteArray &out) : m_device(out) {}
    QString Name() const override { return {}; }
    void BeginDocument(const QString &) override
    {
        if (!m_painter.isActive())
            m_painter.begin(&m_device);
        m_device.Engine().NewPage();
    }
    void NewPage() override { m_device.Engine().NewPage(); }
    void EndDocument() override {}
    void Complete() override { m_painter.end(); }
    bool IsPrinting() const override { return m_painter.isActive(); }
    void SetCopyCount(int) override {}
    int CopyCount() const override { return 1; }
    bool MakesCopies() const override { return false; }
    QPainter *Painter() override { return &m_painter; }
    QPoint Resolution() const override { return {Dpi, Dpi}; }
    QPoint PhysicalOffset() const override { return {}; }
    QPageSize PaperSize() const override { return QPageSize(QPageSize::A4); }

private:
    TCaptureDevice m_device;
    QPainter m_painter;
};

// What the tool would draw for count labels of the document, as the floor's
// display list.
int Capture(const QString &document, int count, const QString &list)
{
    TCDLDocument doc;
    doc.Load(document, nullptr);
    QByteArray out;
    TPrintRequest r;
    r.Active = &doc;
    r.Count = r.Sheets = count;
    r.Trim = TRoundTrim::Direct;
    TCaptureTarget target(out);
    TDocumentPagePainter pages;
    TJobHost host;
    RunPrintJob(r, target, pages, host, SetupSheetMapping(target, AppSettings()));
    QFile file(list);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size() ? 0 : 1;
}

// Reads the display list in place.
class TListReader
{
public:
    explicit TListReader(const QByteArray &list) : m_at(list.constData()), m_end(m_at + list.size()) {}
    bool AtEnd() const { return m_at >= m_end; }
    template <typename T> T Take()
    {
        T v;
        std::memcpy(&v, m_at, sizeof v);
        m_at += sizeof v;
        return v;
    }
    // An array of count values, left where it lies.
    template <typename T> const T *Array(int count)
    {
        const T *a = reinterpret_cast<const T *>(m_at);
        m_at += qsizetype(sizeof(T)) * count;
        return a;
    }
    QByteArray Blob()
    {
        const int size = Take<int>();
        return QByteArray::fromRawData(Array<char>(size), size);
    }

private:
    const char *m_at, *m_end;
};

void ReplayState(QPainter &p, QDataStream &s)
{
    int dirty = 0;
    s >> dirty;
    QTransform t = p.transform();
    if (dirty & QPaintEngine::DirtyTransform)
        s >> t;
    if (dirty & QPaintEngine::DirtyPen) {
        QPen pen;
        s >> pen;
        p.setPen(pen);
    }
    if (dirty & QPaintEngine::DirtyBrush) {
        QBrush brush;
        s >> brush;
        p.setBrush(brush);
    }
    if (dirty & QPaintEngine::DirtyHints) {
        int hints = 0;
        s >> hints;
        p.setRenderHints(QPainter::RenderHints(hints));
    }
    if (dirty & (QPaintEngine::DirtyClipPath | QPaintEngine::DirtyClipRegion | QPaintEngine::DirtyClipEnabled)) {
        bool clipOn = false;
        QTransform clipTransform;
        QPainterPath clip;
        s >> clipOn >> clipTransform >> clip;
        p.setTransform(clipTransform);
        if (clipOn)
            p.setClipPath(clip);
        p.setClipping(clipOn);
    }
    p.setTransform(t);
}

// The floor: the display list into a PDF as the tool sets up its writer.
int Floor(const QString &list, const QString &pdf)
{
    QFile in(list);
    if (!in.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray content = in.readAll();
    // Replaced whole and synced, as the tool replaces an older file.
    QSaveFile file(pdf);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    QPdfWriter writer(&file);
    writer.setTitle(QStringLiteral("Labels"));
    writer.setCreator(QStringLiteral("Quelmark"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(Dpi);
    QPainter p(&writer);
    std::vector<QRawFont> fonts;
    bool first = true;
    TListReader r(content);
    while (!r.AtEnd()) {
        const TOp op = r.Take<TOp>();
        if (op == TOp::Page) {
            if (!first)
                writer.newPage();
            first = false;
        } else if (op == TOp::Rects) {
            const int count = r.Take<int>();
            p.drawRects(r.Array<QRectF>(count), count);
        } else if (op == TOp::Glyphs) {
            const int font = r.Take<int>(), count = r.Take<int>();
            const quint32 *glyphs = r.Array<quint32>(count);
            const QPointF *at = r.Array<QPointF>(count);
            QGlyphRun run;
            run.setRawFont(fonts[size_t(font)]);
            run.setRawData(glyphs, at, count);
            p.drawGlyphRun(QPointF(), run);
        } else {
            const QByteArray blob = r.Blob();
            QDataStream s(blob);
            switch (op) {
            case TOp::State: ReplayState(p, s); break;
            case TOp::Font: {
                QFont font;
                qreal pixels = 0;
                s >> font >> pixels;
                fonts.push_back(QRawFont::fromFont(font));
                fonts.back().setPixelSize(pixels);
                break;
            }
            case TOp::Path: {
                QPainterPath path;
                s >> path;
                p.drawPath(path);
                break;
            }
            case TOp::Polygon: {
                QPolygonF poly;
                int mode = 0;
                s >> poly >> mode;
                if (mode == QPaintEngine::PolylineMode)
                    p.drawPolyline(poly);
                else
                    p.drawPolygon(poly, mode == QPaintEngine::WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
                break;
            }
            case TOp::Lines: {
                QList<QLineF> lines;
                s >> lines;
                p.drawLines(lines.constData(), int(lines.size()));
                break;
            }
            case TOp::Ellipse: {
                QRectF e;
                s >> e;
                p.drawEllipse(e);
                break;
            }
            case TOp::Image: {
                QRectF target, source;
                QImage image;
                s >> target >> image >> source;
                p.drawImage(target, image, source);
                break;
            }
            default: break;
            }
        }
    }
    return p.end() && file.commit() ? 0 : 1;
}

// ---- running processes ------------------------------------------------------

struct TRunFigures
{
    double Ms = 0;
    double PeakBytes = 0;
    int Exit = -1;
};

TRunFigures Run(const QByteArray &program, const QStringList &args)
{
    std::vector<QByteArray> storage{program};
    for (const QString &a : args)
        storage.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : storage)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    TRunFigures f;
    QElapsedTimer t;
    t.start();
    // The tool's own lines would only interleave with the figures.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        return f;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return f;
    f.Ms = double(t.nsecsElapsed()) / 1e6;
    f.PeakBytes = double(usage.ru_maxrss) * 1024.0; // kilobytes on Linux
    f.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return f;
}

struct TFigure
{
    double Ms = 0, PeakBytes = 0;
};

// Median time and largest peak of runs; nothing when a run fails.
std::optional<TFigure> Measure(const QByteArray &program, const QStringList &args)
{
    std::vector<double> ms;
    TFigure f;
    for (int i = 0; i < Runs; ++i) {
        const TRunFigures r = Run(program, args);
        if (r.Exit != 0) {
            std::fprintf(stderr, "PrintBench: %s failed (%d)\n", program.constData(), r.Exit);
            return std::nullopt;
        }
        ms.push_back(r.Ms);
        f.PeakBytes = std::max(f.PeakBytes, r.PeakBytes);
    }
    f.Ms = Median(ms);
    return f;
}

// The tool printing count labels of a document against the floor writing
// what it draws; false when either fails.
bool Compare(const char *name, const QString &tag, const QString &document, int count, const QTemporaryDir &dir,
             bool memory)
{
    const QString list = dir.filePath(tag + QStringLiteral(".list"));
    const QString pdf = dir.filePath(tag + QStringLiteral(".pdf")),
                  floorPdf = dir.filePath(tag + QStringLiteral("-floor.pdf"));
    // In a process of its own: a child's peak memory counts from what its
    // parent held when it was spawned.
    const QByteArray self = QCoreApplication::applicationFilePath().toLocal8Bit();
    if (Run(self, {QStringLiteral("--capture"), document, QString::number(count), list}).Exit != 0)
        return false;
    const auto tool = Measure(QByteArrayLiteral(QM_CLI_PATH),
                              {QStringLiteral("print"), document, QStringLiteral("--count"), QString::number(count),
                               QStringLiteral("--trim"), QStringLiteral("direct"), QStringLiteral("--pdf"), pdf});
    const auto floor = Measure(self, {QStringLiteral("--floor"), list, floorPdf});
    if (!tool || !floor)
        return false;
    ReportMs(name, tool->Ms, floor->Ms);
    if (memory)
        ReportBytes(QByteArray(name + QByteArrayLiteral(" peak memory")).constData(), tool->PeakBytes,
                    floor->PeakBytes);
    std::printf("(%s makes a PDF of %lld bytes, its floor one of %lld bytes)\n", name, QFileInfo(pdf).size(),
                QFileInfo(floorPdf).size());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenUnlessChosen();
    QGuiApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--floor") == 0)
        return Floor(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc == 5 && qstrcmp(argv[1], "--capture") == 0)
        return Capture(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt(), QString::fromLocal8Bit(argv[4]));
    QTemporaryDir dir;
    // The tool reads the settings of its environment; the benchmark brings its own.
    qputenv("QUELMARK_SETTINGS", QFile::encodeName(dir.filePath(QStringLiteral("settings.ini"))));
    const QString doc = dir.filePath(QStringLiteral("numbered.CDL"));
    MakeDocument(doc);
    if (!Compare("print 1000 labels", QStringLiteral("labels"), doc, Labels, dir, true)
        || !Compare("print typical", QStringLiteral("typical"), QStringLiteral(QM_TEST_DATA "/all-kinds.CDL"), 1, dir,
                    false))
        return 1;
    // A path on the command line keeps the PDFs and the document for a look.
    if (argc > 1) {
        const QString keep = QString::fromLocal8Bit(argv[1]);
        for (const char *name : {"labels.pdf", "labels-floor.pdf", "labels.list", "typical.list", "typical.pdf",
                                 "typical-floor.pdf", "numbered.CDL"}) {
            QFile::remove(keep + QLatin1Char('-') + QLatin1String(name));
            QFile::copy(dir.filePath(QLatin1String(name)), keep + QLatin1Char('-') + QLatin1String(name));
        }
    }
    return 0;
}
