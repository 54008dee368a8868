#pragma once
// A small frameless tool window that stays above its owner and shows one borrowed
// panel below its own caption bar. Rolled up, only the caption bar remains.
// The close button only hides it; content and roll state stay.

#include <QList>
#include <QPointer>
#include <QWidget>

class QAction;
class QFrame;
class QKeyEvent;
class QLabel;
class QToolButton;

class TRollup : public QWidget
{
    Q_OBJECT
public:
    // Height of the caption bar with the frame around it: the whole window
    // when rolled up, and what it adds to the content's height.
    static constexpr int CaptionHeight = 25;
    // The content's place inside pnlRollup, and what the frame adds to its width.
    static constexpr int ContentLeft = 3, ContentTop = 22, FrameWidth = 8;

    explicit TRollup(QWidget *parent = nullptr);
    // A borrowed panel goes back to its parent; one without a parent any
    // more goes with this window.
    ~TRollup() override;

    // Borrows p (none: gives the present one back, hidden, to the parent it
    // had) and sizes the window to it. Setting the same panel again only
    // sizes the window to it anew, e.g. after the panel changed its size.
    void SetContent(QWidget *p);
    QWidget *Content() const { return m_content; }
    void SetTitle(const QString &text);
    QString Title() const;
    bool IsRolledDown() const { return m_rolledDown; }
    void SetRolledDown(bool down);
    // The window's height when rolled down.
    int FullHeight() const { return m_fullHeight; }
    // The window's size rolled down around content of that size: wide
    // enough for the title too.
    QSize SizeFor(QSize content) const;

    void SetupStrings();

    // Keys of these commands typed anywhere in the window run the command,
    // not the focused input's own handling: every change in an input is
    // written to the frame at once as an undo step of its page, so the
    // input has nothing of its own to undo or redo.
    void SetDocumentKeys(const QList<QAction *> &commands);

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void changeEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void setClientSize(int width, int height);
    void applyCaptionColours();
    void contentDestroyed();
    QAction *documentCommand(const QKeyEvent &key) const;

    QFrame *m_pnlBase;
    QFrame *m_pnlRollup;
    QWidget *m_pnlHeader;
    QLabel *m_lblTitle;
    QWidget *m_pnlButtons;
    QToolButton *m_sbUp, *m_sbDown, *m_sbClose;

    QPointer<QWidget> m_content;
    QPointer<QWidget> m_contentParent;
    QList<QPointer<QAction>> m_documentKeys;
    bool m_rolledDown = true;
    int m_fullHeight = CaptionHeight;
    // A caption drag that the window system did not take over.
    bool m_dragging = false;
    QPoint m_dragStart, m_windowStart;
};
