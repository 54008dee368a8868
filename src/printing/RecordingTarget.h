#pragma once
// A print target that keeps what a job did: the sequence of documents,
// pages, copy counts and placed pages as text, every placement with its
// device rectangle, and each page as an image at the target's resolution.
// Device point (0,0) sits at the physical offset from the paper's corner, as
// on a real printer; the images show the whole paper.

#include "PrintTarget.h"

#include <QImage>
#include <QPainter>
#include <QStringList>
#include <functional>
#include <vector>

class TRecordingTarget : public TPrintTarget
{
public:
    struct TOptions
    {
        QString Name;
        QPageSize Paper = QPageSize(QPageSize::A4);
        int Dpi = 50;
        QPoint PhysicalOffset;
        bool MakesCopies = false;
    };

    struct TPlacement
    {
        int Document; // 1-based, in the order begun
        int Page;     // 1-based within the document
        int Sheet;    // 1-based over all pages of all documents
        int Position;
        TPageKind Kind;
        QRect Device;
    };

    TRecordingTarget() : TRecordingTarget(TOptions()) {}
    explicit TRecordingTarget(TOptions options);
    ~TRecordingTarget() override;

    // "copies N", "begin", "page", "end", and per placed page "cd@P",
    // "front@P" or "back@P".
    QStringList Events;
    std::vector<TPlacement> Placements;
    // Every page, white paper with what was drawn on it.
    std::vector<QImage> Pages;
    // The copy count each document was begun with, by document.
    std::vector<int> DocumentCopies;
    // Called with each event before it is recorded; may throw to stand for a
    // failing printer.
    std::function<void(const QString &event)> OnEvent;

    // Pages of a kind that come out of the printer, copies included.
    int PagesOnPaper(TPageKind kind) const;
    QString Sequence() const { return Events.join(QLatin1Char(' ')); }

    QString Name() const override { return m_options.Name; }
    void BeginDocument(const QString &title) override;
    void NewPage() override;
    void EndDocument() override;
    bool IsPrinting() const override { return m_printing; }
    void SetCopyCount(int copies) override;
    int CopyCount() const override { return m_copies; }
    bool MakesCopies() const override { return m_options.MakesCopies; }
    QPainter *Painter() override { return m_printing ? &m_painter : nullptr; }
    QPoint Resolution() const override { return {m_options.Dpi, m_options.Dpi}; }
    QPoint PhysicalOffset() const override { return m_options.PhysicalOffset; }
    QPageSize PaperSize() const override { return m_options.Paper; }
    void NotePlacement(int position, TPageKind kind, const QRect &r) override;

    QString Title;

private:
    void Record(const QString &event);
    void StartPage();

    TOptions m_options;
    QPainter m_painter;
    bool m_printing = false;
    int m_copies = 1;
    int m_pageInDocument = 0;
};
