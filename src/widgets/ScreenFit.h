#pragma once
// A dialog body that scrolls where the screen is lower than the dialog would
// be, as at a large display scale on a small screen, so that the buttons
// below it stay on the screen. Where it fits it sizes as the body alone.

#include <QScrollArea>

class TScreenFitArea : public QScrollArea
{
public:
    // reserve: what the window needs beside the body (its frame, the rows
    // around the body), in the window's own pixels.
    TScreenFitArea(QWidget *body, int reserve, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // No taller than the screen allows; before a first show, after what it
    // shows is known.
    void FitWindow();

private:
    int HeightLimit() const;
    int m_reserve;
};
