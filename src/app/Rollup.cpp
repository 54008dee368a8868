#include "Rollup.h"

#include "Strings.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

namespace {

constexpr int DesignWidth = 228;
constexpr int HeaderHeight = 18;
constexpr int ButtonsWidth = 35;
constexpr int ButtonSize = 15;

QToolButton *captionButton(QWidget *parent, const char *name, int x)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(x, 1, ButtonSize, ButtonSize);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIconSize(QSize(ButtonSize - 4, ButtonSize - 4));
    return b;
}

} // namespace

// A tool window stays above the window that owns it; kept above every window
// it would also cover the program's own dialogs, and their buttons with them.
TRollup::TRollup(QWidget *parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Rollup"));
    m_pnlBase = new QFrame(this);
    m_pnlBase->setObjectName(QStringLiteral("pnlBase"));
    m_pnlBase->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_pnlRollup = new QFrame(m_pnlBase);
    m_pnlRollup->setObjectName(QStringLiteral("pnlRollup"));
    m_pnlRollup->setFrameStyle(QFrame::Panel | QFrame::Raised);

    m_pnlHeader = new QWidget(m_pnlRollup);
    m_pnlHeader->setObjectName(QStringLiteral("pnlHeader"));
    m_pnlHeader->setAutoFillBackground(true);
    m_lblTitle = new QLabel(QStringLiteral("Rollup"), m_pnlHeader);
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont f = m_lblTitle->font();
    f.setBold(true);
    f.setPixelSize(11);
    m_lblTitle->setFont(f);

    m_pnlButtons = new QWidget(m_pnlHeader);
    m_pnlButtons->setObjectName(QStringLiteral("pnlButtons"));
    m_sbUp = captionButton(m_pnlButtons, "sbUp", 2);
    m_sbUp->setArrowType(Qt::UpArrow);
    m_sbDown = captionButton(m_pnlButtons, "sbDown", 2);
    m_sbDown->setArrowType(Qt::DownArrow);
    m_sbClose = captionButton(m_pnlButtons, "sbClose", 2 + ButtonSize + 1);
    m_sbClose->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    connect(m_sbUp, &QToolButton::clicked, this, [this] { SetRolledDown(!m_rolledDown); });
    connect(m_sbDown, &QToolButton::clicked, this, [this] { SetRolledDown(!m_rolledDown); });
    connect(m_sbClose, &QToolButton::clicked, this, &QWidget::hide);

    // The caption bar and its title are where the window is dragged.
    m_pnlHeader->installEventFilter(this);
    m_lblTitle->installEventFilter(this);

    setClientSize(DesignWidth, CaptionHeight);
    SetRolledDown(true);
    applyCaptionColours();
    SetupStrings();
}

TRollup::~TRollup()
{
    // The panel is the lender's; it must not die with this window.
    if (m_content) {
        disconnect(m_content, nullptr, this, nullptr);
        if (m_contentParent) {
            m_content->hide();
            m_content->setParent(m_contentParent);
        }
    }
}

void TRollup::SetupStrings()
{
    m_sbUp->setToolTip(GetText(1060));
    m_sbDown->setToolTip(GetText(1061));
    m_sbClose->setToolTip(GetText(9));
}

void TRollup::SetTitle(const QString &text)
{
    m_lblTitle->setText(text);
    setWindowTitle(text);
    // The window widens to show the whole title.
    SetContent(m_content);
}

QSize TRollup::SizeFor(QSize content) const
{
    const int titleWidth = 4 + m_lblTitle->sizeHint().width() + 4 + ButtonsWidth + 4;
    return {std::max(content.width() + FrameWidth, titleWidth), content.height() + CaptionHeight};
}

QString TRollup::Title() const { return m_lblTitle->text(); }

void TRollup::SetContent(QWidget *p)
{
    if (p != m_content) {
        if (m_content) {
            disconnect(m_content, nullptr, this, nullptr);
            m_content->hide();
            m_content->setParent(m_contentParent);
        }
        m_content = p;
        m_contentParent = nullptr;
        if (p) {
            // Shown in another roll-up: that one gives it back to its lender
            // first, or it would later hand it back out of this window.
            if (auto *other = p->parentWidget() ? qobject_cast<TRollup *>(p->parentWidget()->window()) : nullptr;
                other && other != this && other->Content() == p)
                other->SetContent(nullptr);
            p->hide();
            m_contentParent = p->parentWidget();
            p->setParent(m_pnlRollup);
            p->move(ContentLeft, ContentTop);
            connect(p, &QObject::destroyed, this, &TRollup::contentDestroyed);
        }
    }
    if (m_content) {
        const QSize full = SizeFor(m_content->size());
        m_fullHeight = full.height();
        setClientSize(full.width(), height());
        SetRolledDown(m_rolledDown);
    } else {
        m_fullHeight = CaptionHeight;
        setClientSize(std::max(width(), SizeFor(QSize(0, 0)).width()), CaptionHeight);
    }
}

void TRollup::contentDestroyed()
{
    // The lender deleted its panel while it was shown here.
    m_content = nullptr;
    m_contentParent = nullptr;
    SetContent(nullptr);
}

void TRollup::SetRolledDown(bool down)
{
    m_rolledDown = down;
    m_sbUp->setVisible(down);
    m_sbDown->setVisible(!down);
    if (down) {
        setClientSize(width(), m_fullHeight);
        if (m_content)
            m_content->show();
    } else {
        if (m_content)
            m_content->hide();
        setClientSize(width(), CaptionHeight);
    }
}

void TRollup::setClientSize(int width, int height) { setFixedSize(width, height); }

void TRollup::resizeEvent(QResizeEvent *e)
{
    const int w = width(), h = height();
    m_pnlBase->setGeometry(0, 0, w, h);
    m_pnlRollup->setGeometry(1, 1, w - 2, h - 2);
    const int headerWidth = w - 4;
    m_pnlHeader->setGeometry(1, 1, headerWidth, HeaderHeight);
    m_pnlButtons->setGeometry(headerWidth - ButtonsWidth, 0, ButtonsWidth, HeaderHeight);
    m_lblTitle->setGeometry(4, 2, std::max(0, headerWidth - ButtonsWidth - 4), HeaderHeight - 4);
    QWidget::resizeEvent(e);
}

void TRollup::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::ActivationChange || e->type() == QEvent::PaletteChange)
        applyCaptionColours();
    QWidget::changeEvent(e);
}

void TRollup::applyCaptionColours()
{
    const bool active = isActiveWindow();
    QPalette p = m_pnlHeader->palette();
    const QPalette &own = palette();
    p.setColor(QPalette::Window, own.color(active ? QPalette::Highlight : QPalette::Mid));
    p.setColor(QPalette::WindowText, own.color(active ? QPalette::HighlightedText : QPalette::WindowText));
    m_pnlHeader->setPalette(p);
    m_lblTitle->setPalette(p);
}

void TRollup::SetDocumentKeys(const QList<QAction *> &commands)
{
    if (m_documentKeys.isEmpty() && !commands.isEmpty())
        qApp->installEventFilter(this);
    m_documentKeys.clear();
    for (QAction *a : commands)
        m_documentKeys.append(a);
}

QAction *TRollup::documentCommand(const QKeyEvent &key) const
{
    const QKeySequence typed(key.keyCombination());
    for (const QPointer<QAction> &a : m_documentKeys)
        if (a && a->shortcuts().contains(typed))
            return a;
    return nullptr;
}

bool TRollup::eventFilter(QObject *watched, QEvent *e)
{
    if ((e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress) && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this) {
        // Claimed before the focused input sees it (or another window's
        // shortcut takes it); the press runs the command.
        if (QAction *a = documentCommand(*static_cast<QKeyEvent *>(e))) {
            e->accept();
            if (e->type() == QEvent::KeyPress)
                a->trigger();
            return true;
        }
    }
    if (watched != m_pnlHeader && watched != m_lblTitle)
        return QWidget::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::MouseButtonPress: {
        auto *me = static_cast<QMouseEvent *>(e);
        if (me->button() != Qt::LeftButton)
            break;
        // The window system moves the window itself where it can (it knows
        // the screens' edges); elsewhere the window follows the mouse here.
        QWindow *w = windowHandle();
        if (w && w->startSystemMove())
            return true;
        m_dragging = true;
        m_dragStart = me->globalPosition().toPoint();
        m_windowStart = pos();
        return true;
    }
    case QEvent::MouseMove: {
        auto *me = static_cast<QMouseEvent *>(e);
        QToolTip::hideText();
        if (m_dragging && (me->buttons() & Qt::LeftButton)) {
            move(m_windowStart + me->globalPosition().toPoint() - m_dragStart);
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton && m_dragging) {
            m_dragging = false;
            return true;
        }
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, e);
}
