#include "LanguageDialog.h"

#include "Strings.h"

#include <algorithm>

#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

TFSprache::TFSprache(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FSprache"));
    setWindowTitle(QStringLiteral("Wählen Sie eine Sprache"));
    auto *grid = new QGridLayout(this);
    static const char *const kButtons[] = {"sbDeutsch", "sbEnglisch", "sbFrancais", "sbEspanol"};
    for (int i = 0; i < 4; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(kButtons[i]));
        b->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(kButtons[i]))));
        b->setIconSize(QSize(64, 40));
        auto *l = new QLabel(LoadText(1 + i), this);
        l->setObjectName(QStringLiteral("lbl%1").arg(QLatin1String(kButtons[i]).mid(2)));
        QFont f = l->font();
        f.setPointSize(f.pointSize() + 4);
        l->setFont(f);
        l->setCursor(Qt::PointingHandCursor);
        l->setProperty("button", QVariant::fromValue<QObject *>(b));
        l->installEventFilter(this);
        grid->addWidget(b, i, 0);
        grid->addWidget(l, i, 1);
        connect(b, &QToolButton::clicked, this, [this, i] {
            m_chosen = i + 1;
            accept();
        });
    }
    // The window system's caption shows each language's prompt whole, beside
    // its icon and buttons.
    QFont title = font();
    title.setBold(true);
    const QFontMetrics fm(title);
    int prompt = 0;
    for (int n = 11; n <= 14; ++n)
        prompt = std::max(prompt, fm.horizontalAdvance(LoadText(n)));
    const int decorations = 6 * style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    const QMargins m = grid->contentsMargins();
    grid->setColumnMinimumWidth(1, prompt + decorations - m.left() - m.right() - grid->horizontalSpacing()
                                       - grid->itemAtPosition(0, 0)->sizeHint().width());
    grid->setSizeConstraint(QLayout::SetFixedSize);
    m_timer = new QTimer(this);
    m_timer->setInterval(3000);
    connect(m_timer, &QTimer::timeout, this, &TFSprache::Tick);
}

void TFSprache::Tick()
{
    if (m_counter >= 1 && m_counter <= 4)
        setWindowTitle(LoadText(10 + m_counter));
    m_counter = m_counter >= 4 ? 1 : m_counter + 1;
}

void TFSprache::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            m_timer->start();
        else
            m_timer->stop();
    }
    QDialog::changeEvent(e);
}

bool TFSprache::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton)
        if (auto *b = qobject_cast<QToolButton *>(watched->property("button").value<QObject *>())) {
            b->click();
            return true;
        }
    return QDialog::eventFilter(watched, e);
}

void TFSprache::closeEvent(QCloseEvent *e)
{
    m_timer->stop();
    QDialog::closeEvent(e);
}
