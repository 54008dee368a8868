#include "SheetPreview.h"

#include "Document.h"
#include "PagePainter.h"
#include "PrintTarget.h"
#include "SerNo.h"
#include "SerialNumberState.h"
#include "SheetMapping.h"
#include "SheetPainter.h"

#include <QHash>
#include <QPainter>

namespace {

// The sheet painter draws onto a print target; the preview's is a painter
// that is always open.
class TCanvasTarget : public TPrintTarget
{
public:
    TCanvasTarget(QPainter &p, const QPageSize &paper) : m_painter(p), m_paper(paper) {}
    QString Name() const override { return {}; }
    void BeginDocument(const QString &) override {}
    void NewPage() override {}
    void EndDocument() override {}
    bool IsPrinting() const override { return true; }
    void SetCopyCount(int) override {}
    int CopyCount() const override { return 1; }
    bool MakesCopies() const override { return false; }
    QPainter *Painter() override { return &m_painter; }
    QPoint Resolution() const override { return {}; }
    QPoint PhysicalOffset() const override { return {}; }
    QPageSize PaperSize() const override { return m_paper; }

private:
    QPainter &m_painter;
    QPageSize m_paper;
};

// A serial number's bar-code flag is kept in the window, not in the file
// format the copy went through.
void TakeBarcodeFlags(const TCDLDocument &from, TCDLDocument &to)
{
    for (TPageKind kind : {TPageKind::CDLabel, TPageKind::InlayVorder, TPageKind::InlayRueck}) {
        const auto &a = from.Page(kind).Frames(), &b = to.Page(kind).Frames();
        for (size_t i = 0; i < a.size() && i < b.size(); ++i)
            if (const TCDLSerNo *s = KindCast<TCDLSerNo>(a[i].get()))
                if (TCDLSerNo *t = KindCast<TCDLSerNo>(b[i].get()))
                    t->Barcode = s->Barcode;
    }
}

// The A4 sheet in 0.1 mm, which the preview area always shows.
constexpr double SheetWidth = 2100, SheetHeight = 2970;

} // namespace

TSheetPreview::TSheetPreview(const TPrintRequest &request, const QPageSize &paper) : m_request(request), m_paper(paper)
{
    QHash<TCDLDocument *, TCDLDocument *> copyOf;
    auto copy = [&](TCDLDocument *&d) {
        if (!d)
            return;
        if (!copyOf.contains(d)) {
            auto c = std::make_unique<TCDLDocument>(nullptr);
            c->FromBytes(d->ToBytes(), nullptr);
            TakeBarcodeFlags(*d, *c);
            copyOf.insert(d, c.get());
            m_copies.push_back(std::move(c));
        }
        d = copyOf.value(d);
    };
    copy(m_request.Active);
    for (TCDLDocument *&d : m_request.Open)
        copy(d);
    for (TCDLDocument *&d : m_request.CDPlaces)
        copy(d);
    for (TCDLDocument *&d : m_request.FrontPlaces)
        copy(d);
    for (TCDLDocument *&d : m_request.BackPlaces)
        copy(d);
    // Each sheet drawn by itself: copies made by a driver look the same.
    m_plans = PlanSheets(m_request, false);
    m_start = std::make_unique<TSerialNumberState>(m_request);
}

TSheetPreview::~TSheetPreview() = default;

void TSheetPreview::Paint(QPainter &p, QSize size, int n)
{
    p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    if (n < 1 || n > SheetCount() || size.isEmpty())
        return;
    // The numbers as they stand when the job reaches sheet n.
    m_start->Restore();
    auto advance = [](const TSheetStep &s) {
        if (s.Action == TSheetStep::TAction::Draw)
            s.Document->Page(s.Page).AdvanceSerialNumbers();
    };
    for (int k = 0; k < n - 1; ++k)
        for (const TSheetStep &s : m_plans[size_t(k)].Steps)
            advance(s);

    TSheetMapping mapping;
    mapping.ScaleX = size.width() / SheetWidth;
    mapping.ScaleY = size.height() / SheetHeight;
    mapping.Preview = true;
    TSheetOptions options;
    options.Kind = SheetKindForPaper(m_paper);
    options.Trim = m_request.Trim;
    options.CutMarks = m_request.CutMarks;
    options.ForceCircleClip = true;
    TCanvasTarget target(p, m_paper);
    TDocumentPagePainter pages;
    TSheetPainter sheet(target, mapping, pages, options);
    p.save();
    for (const TSheetStep &s : m_plans[size_t(n - 1)].Steps) {
        sheet.Draw(s);
        advance(s);
    }
    p.restore();
}

QImage TSheetPreview::Image(int n, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Paint(p, size, n);
    return image;
}
