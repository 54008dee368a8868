#pragma once
// The printer calibration dialog: prints the calibration sheet on a queue
// and stores the offsets read off it, and the feed's scale correction, in
// the queue's section of the settings file. The printer chosen here is
// current only while the dialog is up; the one current before comes back.

#include "PrinterAccess.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TPrinting;

class TKalibrieren : public QDialog
{
    Q_OBJECT
public:
    explicit TKalibrieren(QWidget *parent = nullptr);

    void SetPrinterAccess(TPrinterAccess access) { m_access = std::move(access); }
    void SetErrorBox(std::function<void(const QString &)> box) { m_errorBox = std::move(box); }
    void SetupStrings();

    // Modal, for the printer current now (empty: the default queue).
    int Execute(const QString &current);
    QString CurrentPrinter() const { return m_current; }

    void PrinterSelectChange();
    void DruckenClick();
    void OKClick();

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    void build();
    void FormShow();
    void error(const QString &text);

    TPrinterAccess m_access;
    std::function<void(const QString &)> m_errorBox;
    QString m_remembered, m_current;
    bool m_shown = false;

    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4;
    QLabel *Label2, *Label1, *Label3, *Label12, *Label4, *Label7, *Label5, *Label6, *Label8;
    QComboBox *PrinterSelect;
    QLineEdit *XKalib, *YKalib;
    QSpinBox *XMassstab, *YMassstab;
    QPushButton *Drucken, *OK, *Abbrechen2;
    TPrinting *m_progress;
};
