#pragma once
// The page view: one page of a document as it comes out, fitted to a
// window of its own; a CD label shows its shape, white outside the disc and
// in the hole. The window's place and maximized state are remembered.

#include <QDialog>
#include <QList>
#include <QRect>

class TCDLPage;
struct TPageViewPlacement;

class TPreviewChild : public QDialog
{
    Q_OBJECT
public:
    TPreviewChild(const TCDLPage &page, const QString &documentCaption, QWidget *parent = nullptr);

    // Placed as last time, shown modally; the place is stored on closing.
    int Execute();

    void SetupStrings();

protected:
    void done(int result) override;

private:
    class TPaintBox;
    const TCDLPage &m_page;
    QString m_caption;
};

// Where the page view opens among the screens' usable areas: the stored
// place when it is a real one on a screen, else the default place.
QRect PageViewGeometry(const TPageViewPlacement &stored, const QList<QRect> &screens);
