#include "PdfTarget.h"

#include "Errors.h"
#include "Strings.h"

#include <QDir>
#include <QPdfWriter>

TPdfTarget::TPdfTarget(QString path, const QPageSize &paper, int dpi, QString name)
    : m_path(std::move(path)), m_paper(paper), m_dpi(dpi), m_name(std::move(name))
{
}

TPdfTarget::~TPdfTarget() { Finish(); }

void TPdfTarget::BeginDocument(const QString &title)
{
    if (m_painter.isActive()) {
        NewPage();
        m_printing = true;
        return;
    }
    m_writer = std::make_unique<QPdfWriter>(m_path);
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("Quelmark"));
    m_writer->setPageSize(m_paper);
    m_writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    m_writer->setResolution(m_dpi);
    if (!m_painter.begin(m_writer.get())) {
        m_writer.reset();
        throw ELocalizedError(GetText(1080).arg(QDir::toNativeSeparators(m_path)));
    }
    m_printing = true;
}

void TPdfTarget::NewPage()
{
    if (m_writer)
        m_writer->newPage();
}

bool TPdfTarget::Finish()
{
    m_printing = false;
    if (m_painter.isActive())
        m_written = m_painter.end();
    return m_written;
}
