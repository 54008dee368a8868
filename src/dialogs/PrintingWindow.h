#pragma once
// The progress window of a print job: two centred lines and a cancel button.
// It keeps the rest of the program out of reach while the job runs, so no
// document can be closed under the job.

#include <QDialog>

class QLabel;
class QPushButton;

class TPrinting : public QDialog
{
    Q_OBJECT
public:
    explicit TPrinting(QWidget *parent = nullptr);

    void SetupStrings();
    // Shows the window for a job; clears a cancel request.
    void Start();
    void Stop();
    void SetLines(const QString &first, const QString &second);
    // A document is open at the printer: only then can the job be cancelled.
    void SetPrinting(bool printing) { m_printing = printing; }
    bool CancelRequested() const { return m_cancelRequested; }

    void AbbrechenClick();

protected:
    void closeEvent(QCloseEvent *e) override;
    void reject() override {}

private:
    QLabel *m_label1;
    QLabel *m_label2;
    QPushButton *m_abbrechen;
    bool m_printing = false;
    bool m_cancelRequested = false;
};
