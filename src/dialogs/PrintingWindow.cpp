#include "PrintingWindow.h"

#include "Strings.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TPrinting::TPrinting(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Printing"));
    setWindowModality(Qt::ApplicationModal);
    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label2 = new QLabel(this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    for (QLabel *l : {m_label1, m_label2}) {
        l->setAlignment(Qt::AlignCenter);
        l->setMinimumWidth(320);
    }
    m_abbrechen = new QPushButton(this);
    m_abbrechen->setObjectName(QStringLiteral("Abbrechen"));
    connect(m_abbrechen, &QPushButton::clicked, this, &TPrinting::AbbrechenClick);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label1);
    layout->addWidget(m_label2);
    layout->addWidget(m_abbrechen, 0, Qt::AlignHCenter);
    SetupStrings();
}

void TPrinting::SetupStrings()
{
    setWindowTitle(GetText(600));
    m_abbrechen->setText(GetText(1));
}

void TPrinting::Start()
{
    m_cancelRequested = false;
    m_printing = false;
    SetupStrings();
    show();
    raise();
}

void TPrinting::Stop()
{
    m_printing = false;
    hide();
}

void TPrinting::SetLines(const QString &first, const QString &second)
{
    m_label1->setText(first);
    m_label2->setText(second);
}

void TPrinting::AbbrechenClick()
{
    if (!m_printing)
        return;
    m_cancelRequested = true;
    SetLines(GetText(650), GetText(651));
}

// Closing the window is cancelling; the job hides it when it ends.
void TPrinting::closeEvent(QCloseEvent *e)
{
    e->ignore();
    AbbrechenClick();
}
