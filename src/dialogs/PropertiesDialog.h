#pragma once
// The page properties window: for each of a document's three pages the snap
// grid's spacing, whether its points show and frames snap to them, and the
// background colour, or one of the label sheets' paper colours for the CD
// label.

#include "DialogServices.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabWidget;
class TCDLDocument;

class TPropWnd : public QDialog
{
    Q_OBJECT
public:
    explicit TPropWnd(QWidget *parent = nullptr);

    TDialogServices Services;

    void SetupStrings();
    void Fill(const TCDLDocument &d);
    // What the controls hold into d's pages; a page that changed is marked
    // modified. True when any changed.
    bool WriteBack(TCDLDocument &d) const;
    // Fill, show modally and, unless cancelled, write back.
    bool Execute(TCDLDocument &d);

    void bOKClick();

private:
    // One page's controls; the inlays have no paper colour.
    struct TPageControls
    {
        QGroupBox *Grid;
        QLabel *Spacing, *Horizontal, *Vertical, *UnitX, *UnitY;
        QLineEdit *SnapX, *SnapY;
        bool ChangedX = false, ChangedY = false;
        int32_t ShownX = 40, ShownY = 40;
        QCheckBox *ShowSnap, *SnapEnable;
        QGroupBox *Background;
        QRadioButton *None, *Back, *Paper = nullptr;
        QStackedWidget *Notebook;
        QPushButton *Change;
        TColorField *ActiveColor;
    };

    void build();
    void buildGrid(QWidget *tab, int page, const char *suffix);
    void buildBackground(QWidget *tab, int page, const char *suffix, const char *shortName);
    void showNotebook(int page);
    // A changed spacing field that is not a number: says so; false.
    bool checkSpacing(QLineEdit *field);
    static int32_t spacing(const QLineEdit *field, bool changed, int32_t old);

    TPageControls m_pages[3];
    int m_paperIndex = 0;

    QTabWidget *PageControl;
    QComboBox *cbPaperColor;
    TColorField *pbPaperColor;
    QPushButton *bOK, *bCancel;
};
