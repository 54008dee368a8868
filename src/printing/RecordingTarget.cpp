#include "RecordingTarget.h"

TRecordingTarget::TRecordingTarget(TOptions options) : m_options(std::move(options)) {}

TRecordingTarget::~TRecordingTarget()
{
    if (m_painter.isActive())
        m_painter.end();
}

void TRecordingTarget::Record(const QString &event)
{
    if (OnEvent)
        OnEvent(event);
    Events.append(event);
}

void TRecordingTarget::StartPage()
{
    if (m_painter.isActive())
        m_painter.end();
    const QSize size = m_options.Paper.sizePixels(m_options.Dpi);
    QImage page(size, QImage::Format_RGB32);
    page.fill(Qt::white);
    const int dpm = qRound(m_options.Dpi / 0.0254);
    page.setDotsPerMeterX(dpm);
    page.setDotsPerMeterY(dpm);
    Pages.push_back(std::move(page));
    m_painter.begin(&Pages.back());
    m_painter.translate(m_options.PhysicalOffset);
    ++m_pageInDocument;
}

void TRecordingTarget::BeginDocument(const QString &title)
{
    Record(QStringLiteral("begin"));
    Title = title;
    m_printing = true;
    m_pageInDocument = 0;
    DocumentCopies.push_back(m_copies);
    StartPage();
}

void TRecordingTarget::NewPage()
{
    Record(QStringLiteral("page"));
    StartPage();
}

void TRecordingTarget::EndDocument()
{
    // A document whose end fails is gone, as with a printer.
    m_painter.end();
    m_printing = false;
    Record(QStringLiteral("end"));
}

void TRecordingTarget::SetCopyCount(int copies)
{
    Record(QStringLiteral("copies %1").arg(copies));
    m_copies = copies;
}

void TRecordingTarget::NotePlacement(int position, TPageKind kind, const QRect &r)
{
    static const char *const names[] = {"cd", "front", "back"};
    Record(QStringLiteral("%1@%2").arg(QLatin1String(names[int(kind)])).arg(position));
    Placements.push_back({int(DocumentCopies.size()), m_pageInDocument, int(Pages.size()), position, kind, r});
}

int TRecordingTarget::PagesOnPaper(TPageKind kind) const
{
    int n = 0;
    for (const TPlacement &p : Placements)
        if (p.Kind == kind)
            n += m_options.MakesCopies ? DocumentCopies[size_t(p.Document - 1)] : 1;
    return n;
}
