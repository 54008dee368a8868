#include "AboutBox.h"

#include "Strings.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("ProgramIcon"));
    auto *text = new QVBoxLayout;
    static const char *const kNames[] = {"ProductName", "Version", "Copyright", "Company"};
    for (int i = 0; i < 4; ++i) {
        m_lines[i] = new QLabel(this);
        m_lines[i]->setObjectName(QLatin1String(kNames[i]));
        text->addWidget(m_lines[i]);
    }
    QFont f = m_lines[0]->font();
    f.setBold(true);
    m_lines[0]->setFont(f);
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *top = new QHBoxLayout;
    top->addWidget(m_icon, 0, Qt::AlignTop);
    top->addLayout(text);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(m_ok, 0, Qt::AlignHCenter);
    all->setSizeConstraint(QLayout::SetFixedSize);
    SetupStrings();
}

void TAboutBox::SetupStrings()
{
    setWindowTitle(GetText(152).remove(QStringLiteral("...")));
    // The maker's name takes the address line's place; address and web lines stay hidden.
    m_lines[0]->setText(GetText(301));
    m_lines[1]->setText(GetText(302));
    m_lines[2]->setText(GetText(303));
    m_lines[3]->setText(GetText(304));
    m_ok->setText(GetText(0));
}

void TAboutBox::setVisible(bool visible)
{
    // The box is built with the main window; its picture is drawn when it
    // first shows, before its layout takes its size.
    if (visible && m_icon->pixmap().isNull())
        m_icon->setPixmap(
            QIcon(QStringLiteral(":/icons/quelmark.svg")).pixmap(QSize(64, 64), m_icon->devicePixelRatioF()));
    QDialog::setVisible(visible);
}
