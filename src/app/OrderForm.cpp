#include "OrderForm.h"

#include "Strings.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TOrderForm::TOrderForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OrderForm"));
    setWindowTitle(GetText(871));
    auto *text = new QLabel(GetText(872), this);
    text->setObjectName(QStringLiteral("lblOrder"));
    text->setWordWrap(true);
    text->setMinimumWidth(420);
    auto *ok = new QPushButton(GetText(0), this);
    ok->setObjectName(QStringLiteral("bOK"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *l = new QVBoxLayout(this);
    l->addWidget(text);
    l->addWidget(ok, 0, Qt::AlignRight);
}
