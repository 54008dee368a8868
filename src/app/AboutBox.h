#pragma once
// The about box: product title, version and maker.

#include <QDialog>

class QLabel;
class QPushButton;

class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent);
    void SetupStrings();
    void setVisible(bool visible) override;

private:
    QLabel *m_icon;
    QLabel *m_lines[4];
    QPushButton *m_ok;
};
