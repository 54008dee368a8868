#pragma once
// Shows one page of a document and repaints when the page asks.

#include "Page.h"

#include <QWidget>

class TPageWidget : public QWidget, public TPageHost
{
    Q_OBJECT
public:
    TPageWidget(QWidget *parent = nullptr);
    void setPage(TCDLPage *page);

    void RepaintPage() override { update(); }
    void ShowStatus(const QString &text) override;

signals:
    void statusChanged(const QString &text);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    TCDLPage *m_page = nullptr;
};
