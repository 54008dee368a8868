#pragma once
// The print preview: the sheets the print dialog's job would print, one at
// a time with previous and next, scaled so an A4 sheet fills the display.

#include <QDialog>

class QPushButton;
class QScrollArea;
class TSheetPreview;

class TPrintPreview : public QDialog
{
    Q_OBJECT
public:
    explicit TPrintPreview(QWidget *parent = nullptr);
    ~TPrintPreview() override;

    void SetupStrings();
    // Shows sheets modally from sheet 1; the window's height follows the
    // screen's, its width an A4 sheet's proportions.
    int Execute(TSheetPreview &sheets);
    int Sheet() const { return m_sheet; }

    void bNextClick();
    void bPrevClick();

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    class TDisplay;
    void updateButtons();
    void fitDisplay();

    TSheetPreview *m_sheets = nullptr;
    int m_sheet = 1;
    QWidget *pNavigation;
    QPushButton *bClose, *bPrev, *bNext;
    QScrollArea *m_scroll;
    TDisplay *pDisplay;
};
