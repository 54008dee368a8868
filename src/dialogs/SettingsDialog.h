#pragma once
// The program settings dialog: default folders, grid and guide-line display,
// the open dialog's preview, the unit and the arrow-key steps. It edits a
// copy; the caller applies the result after OK.

#include "DialogServices.h"
#include "Settings.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

class TFSettings : public QDialog
{
    Q_OBJECT
public:
    explicit TFSettings(QWidget *parent = nullptr);

    TDialogServices Services;

    void SetupStrings();
    // Shows s in the controls.
    void FormShow(const TSettings &s);
    // Modal; on OK s takes what the dialog shows and true comes back.
    bool Execute(TSettings &s);
    // The settings as OK leaves them (valid after OK).
    const TSettings &Result() const { return m_result; }

    void rbMMClick();
    void bOKClick();

private:
    void build();
    void browse(QLineEdit *field);
    void chooseColor(TColorField *swatch);
    void showUnitNames();
    // A changed step field into its step; false, with the message and the
    // old step shown again, for text that is not a valid step.
    bool readStep(int i);
    bool checkFolder(QLineEdit *field);

    TSettings m_result;
    // The unit the step fields show, and the steps behind them.
    int m_shownCode = UnitCodeMillimetre;
    int m_steps[2] = {40, 40};
    bool m_stepChanged[2] = {false, false};

    QTabWidget *PageControl;
    QLabel *lbCDL, *lbPics, *lbSelection, *lbSerNo;
    QLineEdit *edCDLDir, *edPicsDir, *edSelectionDir, *edSerNoDir;
    QToolButton *sbBrowseCDL, *sbBrowsePic, *sbBrowseCDS, *sbBrowseSNO;
    QCheckBox *cbGridInFront, *cbOpenWithPreview;
    QGroupBox *gbUnit, *gbSteps;
    QRadioButton *rbMM, *rbInch;
    QLabel *lbGridColor, *lbHLineColor;
    TColorField *pbGridColor, *pbHLineColor;
    QPushButton *bSelectGridColor, *bSelectHLineColor;
    QLabel *lbCursorX, *lbCursorY, *lbUnitX, *lbUnitY;
    QLineEdit *edCursor[2];
    QPushButton *bOK, *bCancel;
};
