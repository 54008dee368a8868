#include "HelpWindow.h"

#include "Strings.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

THelpWindow::THelpWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(false);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(m_browser);
    resize(720, 640);
}

QString THelpWindow::HtmlPath(const QString &helpFile)
{
    return QStringLiteral(":/help/") + QFileInfo(helpFile).completeBaseName() + QStringLiteral(".html");
}

QString THelpWindow::Source() const { return m_browser->source().toString(); }

void THelpWindow::Show(QWidget *parent, const QString &helpFile)
{
    // One help window; a second request shows the current language's contents in it.
    auto *w = parent->findChild<THelpWindow *>(QStringLiteral("HelpWindow"));
    if (!w)
        w = new THelpWindow(parent);
    w->load(helpFile);
    w->show();
    w->raise();
}

void THelpWindow::Follow(QWidget *parent, const QString &helpFile)
{
    if (auto *w = parent->findChild<THelpWindow *>(QStringLiteral("HelpWindow")))
        w->load(helpFile);
}

void THelpWindow::load(const QString &helpFile)
{
    setWindowTitle(GetText(873));
    m_browser->setSource(QUrl(QStringLiteral("qrc") + HtmlPath(helpFile)));
}
