#include "PdfTarget.h"

#include "Errors.h"
#include "SaveFile.h"
#include "Strings.h"

#include <QDir>
#include <QPdfWriter>

TPdfTarget::TPdfTarget(QString path, const QPageSize &paper, int dpi, QString name)
    : m_path(std::move(path)), m_paper(paper), m_dpi(dpi), m_name(std::move(name))
{
}

// Without Complete() the temporary file goes: a job that did not end leaves
// the old file as it was.
TPdfTarget::~TPdfTarget()
{
    if (m_painter.isActive())
        m_painter.end();
}

void TPdfTarget::BeginDocument(const QString &title)
{
    if (m_painter.isActive()) {
        NewPage();
        m_printing = true;
        return;
    }
    m_file.setFileName(m_path);
    if (!m_file.open(QIODevice::WriteOnly))
        throw ELocalizedError(GetText(1080).arg(QDir::toNativeSeparators(m_path)));
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("Quelmark"));
    m_writer->setPageSize(m_paper);
    m_writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    m_writer->setResolution(m_dpi);
    if (!m_painter.begin(m_writer.get())) {
        m_writer.reset();
        m_file.cancelWriting();
        throw ELocalizedError(GetText(1080).arg(QDir::toNativeSeparators(m_path)));
    }
    m_printing = true;
}

void TPdfTarget::NewPage()
{
    if (m_writer)
        m_writer->newPage();
}

void TPdfTarget::Complete()
{
    m_printing = false;
    if (!m_writer)
        return;
    const bool ended = m_painter.end();
    m_writer.reset();
    if (!CommitWhole(m_file) || !ended)
        throw ELocalizedError(GetText(1080).arg(QDir::toNativeSeparators(m_path)));
}
