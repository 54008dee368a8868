#pragma once
// The picture of a label sheet beside the print dialog's choices, drawn from
// the same sheet tables as the print, so it cannot show a place the print
// does not use. Places that will be printed are filled and numbered.

#include "PrintRequest.h"

#include <QWidget>
#include <set>

class TSheetPicture : public QWidget
{
    Q_OBJECT
public:
    explicit TSheetPicture(QWidget *parent = nullptr);

    // The sheet of what, with the places to fill: CD places 1..3, inlay
    // positions 1..2 (front and back: none needed).
    void Show(TSheetKind kind, TPrintWhat what, std::set<int> filled, bool cutMarks);

    TSheetKind Kind() const { return m_kind; }
    TPrintWhat What() const { return m_what; }
    const std::set<int> &Filled() const { return m_filled; }

    QSize sizeHint() const override { return {150, 200}; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    TSheetKind m_kind = TSheetKind::A4;
    TPrintWhat m_what = TPrintWhat::CDLabel;
    std::set<int> m_filled;
    bool m_cutMarks = true;
};
