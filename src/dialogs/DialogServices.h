#pragma once
// What the settings and page-property dialogs ask of the world around them:
// message boxes, the colour dialog and the folder chooser. The application
// gives its own; tests put answers in.

#include "PaintContext.h"
#include "Units.h"

#include <QFrame>
#include <QPainter>
#include <functional>
#include <optional>

struct TDialogServices
{
    std::function<void(const QString &text)> Error;
    std::function<bool(const QString &question)> AskYesNo;
    // Nothing when cancelled.
    std::function<std::optional<TColor>(TColor current)> ChooseColor;
    // Empty when cancelled.
    std::function<QString(const QString &start)> ChooseFolder;

    // Qt's own boxes and dialogs, owned by parent.
    static TDialogServices Standard(QWidget *parent);
};

// A field of one colour.
class TColorField : public QFrame
{
public:
    explicit TColorField(QWidget *parent) : QFrame(parent)
    {
        setFrameShape(QFrame::Box);
        setMinimumSize(40, 20);
    }
    TColor Color() const { return m_color; }
    void SetColor(TColor c)
    {
        m_color = c;
        update();
    }

protected:
    void paintEvent(QPaintEvent *e) override
    {
        QPainter p(this);
        p.fillRect(contentsRect(), ToQColor(m_color));
        p.end();
        QFrame::paintEvent(e);
    }

private:
    TColor m_color = 0;
};
