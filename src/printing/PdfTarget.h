#pragma once
// Printing into a PDF file at a given resolution, the paper's corner at
// device point (0,0). Every document of a job goes into the one file, each
// of its pages one page of the file, so the two passes of indirect trimming
// both stay. A PDF makes no copies: the job draws each sheet itself. The
// file replaces an older one of its name only once it is complete.

#include "PrintTarget.h"

#include <QPainter>
#include <QSaveFile>
#include <memory>

class QPdfWriter;

class TPdfTarget : public TPrintTarget
{
public:
    // name selects stored calibration offsets; empty means none.
    TPdfTarget(QString path, const QPageSize &paper, int dpi, QString name = {});
    ~TPdfTarget() override;

    QString Name() const override { return m_name; }
    // Throws ELocalizedError when the file cannot be created.
    void BeginDocument(const QString &title) override;
    void NewPage() override;
    void EndDocument() override { m_printing = false; }
    // Throws ELocalizedError when the file could not be written whole.
    void Complete() override;
    bool IsPrinting() const override { return m_printing; }
    void SetCopyCount(int copies) override { m_copies = copies; }
    int CopyCount() const override { return m_copies; }
    bool MakesCopies() const override { return false; }
    QPainter *Painter() override { return m_printing ? &m_painter : nullptr; }
    QPoint Resolution() const override { return {m_dpi, m_dpi}; }
    QPoint PhysicalOffset() const override { return {}; }
    QPageSize PaperSize() const override { return m_paper; }

private:
    QString m_path;
    QPageSize m_paper;
    int m_dpi;
    QString m_name;
    QSaveFile m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    bool m_printing = false;
    int m_copies = 1;
};
