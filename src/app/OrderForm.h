#pragma once
// How to buy label sheets and accessories: an informational window.

#include <QDialog>

class TOrderForm : public QDialog
{
    Q_OBJECT
public:
    explicit TOrderForm(QWidget *parent);
};
