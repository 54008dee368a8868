#pragma once
// The language dialog: four picture buttons; the caption cycles through the
// prompt in each language while the dialog is active.

#include <QDialog>

class QTimer;

class TFSprache : public QDialog
{
    Q_OBJECT
public:
    explicit TFSprache(QWidget *parent);
    // 1..4 after a click, 0 when closed otherwise.
    int Chosen() const { return m_chosen; }
    // One caption step, as the timer does it.
    void Tick();

protected:
    void changeEvent(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    // A click on a language's name chooses it as its picture button does.
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    QTimer *m_timer;
    int m_counter = 0;
    int m_chosen = 0;
};
