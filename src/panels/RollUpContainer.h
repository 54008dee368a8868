#pragma once
// The property panels of the frame being edited. One hidden window holds
// them; the three roll-up windows borrow the object panels, the colour panel
// and the coordinate panel. The container shows the panels the frame's kind
// declares, fills them from the frame and writes every change back, with an
// undo snapshot before it.

#include "FrameKind.h"
#include "PanelHost.h"

#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;
class TCDLFrame;
class TCDLPage;
class TColorGrid;
class TColorSwatch;
class TCompass;
class TFontList;

class TRollUpContainer : public QWidget
{
    Q_OBJECT
public:
    explicit TRollUpContainer(TPanelHost &host, QWidget *parent = nullptr);
    ~TRollUpContainer() override;

    // The page's announcement: f is its active frame, or none (nothing or a
    // group selected, the page going). The same frame again means it moved
    // or was sized: only the coordinates follow.
    void ShowFrame(TCDLPage *page, TCDLFrame *f);
    // The coordinate edits from the shown frame, in the current unit.
    void ShowCoordinates();
    // The unit labels of the coordinate panel ("mm" or "inch").
    void ReSetCoordCaption();
    void SetupStrings();
    // Writes the panels back into the shown frame.
    void PropertiesChanged();
    // A new frame wants its text input (the text, round-text or
    // serial-number panel), when its roll-up window is shown.
    void FocusTextInput(TCDLFrame *f);
    // The option of showing changes at once was switched.
    void ApplyImmediatelyChanged();

    // The contents' sizes in the present language, for placing the roll-up
    // windows before they show anything. The object panels' height depends
    // on the frame.
    int ObjectPanelWidth() const { return m_objectWidth; }
    QSize ColorPanelSize() const;
    QSize CoordsPanelSize() const;

    TCDLFrame *ShownFrame() const { return m_frame; }
    TCDLPage *ShownPage() const { return m_page; }
    TPanels ShownPanelSet() const { return m_shownPanels; }
    // The scalable font families the font list offers.
    const QStringList &FontList() const;

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    static constexpr int PanelWidth = 224;
    // The record's short strings hold no more.
    static constexpr int MaxShortString = 40;

    // RollUpPanels.cpp: the controls and their captions.
    void buildSerNo();
    void buildDirectory();
    void buildFont();
    void buildPen();
    void buildRotation();
    void buildImageRotate();
    void buildText();
    void buildRoundText();
    void buildApply();
    void buildColors();
    void buildCoords();
    void sizeColorPanel();
    void fill(TCDLFrame *f);
    void arrangeObjectPanels();
    void arrangeCoords(TCDLFrame *f);

    // A snapshot before a change. A run (typing into one input) takes one
    // for the whole run; the run ends when the input loses the focus or
    // anything else touches the page's undo.
    void takeSnapshot(int kind, const QObject *run = nullptr);
    void endRun() { m_run = nullptr; }
    void changed(bool repaint);
    void propertiesChanged(const QObject *run);
    void memoChanged(QPlainTextEdit *memo);
    void coordEdited(QLineEdit *edit, const QString &text);
    void startValueEdited();
    void loadValueList();
    void serNoModeClicked(bool valueList);
    void colorTargetClicked(bool fill);
    void cellSelected(int row, int column);
    void componentChanged();
    void colorChanged();
    void showActiveColor(const TCDLFrame *f);
    void centreRoundText();
    void rotationChanged(int v);
    void checkQuarters(int v);
    bool usesFill() const;
    int startValue(bool *ok) const;

    TPanelHost &m_host;
    TCDLFrame *m_frame = nullptr;
    TCDLPage *m_page = nullptr;
    TPanels m_shownPanels;
    int m_objectWidth = PanelWidth;
    const QObject *m_run = nullptr;
    quint64 m_runRevision = 0;
    // The text a memo held last that the record can store.
    QString m_memoAccepted;

    QWidget *rObjektContainer, *rColorPanel, *rCoordsPanel;
    QGroupBox *rSerNo, *rVerzeichnis, *rSchriftart, *rStift, *rDrehung, *rImageRotate, *rText, *rRundtext;
    QWidget *rZuweisen;
    QWidget *rPositionXY, *rPositionDim, *rPositionX1Y1, *rPositionX2Y2;

    QRadioButton *rbFortlaufend, *rbWerteliste;
    QStackedWidget *nbSerNo;
    QListWidget *lbSerNo;
    QLineEdit *eStartwert, *eFormat;
    QLabel *lblStartwert, *lblFormat;
    QToolButton *sbSerNoLaden;

    TFontList *lbSchriftart;
    QSpinBox *FontSize;
    QLabel *lblFontSize, *lblPts;
    QToolButton *sbLeft, *sbCenter, *sbRight, *sbBlock, *sbFontBold, *sbFontItalic, *sbFontStroke;
    QButtonGroup *m_align;
    QCheckBox *cbBarcode;

    QSpinBox *seStift;
    QCheckBox *cbOhneStift;

    QSpinBox *seDrehung;
    QLabel *lblGrad;
    QRadioButton *rb0, *rb90, *rb180, *rb270;
    TCompass *pbCrossImage;

    QToolButton *sbRotateLeft, *sbRotateRight, *sbMirror, *sbFlip;

    QPlainTextEdit *mText, *mRundtext;
    QCheckBox *cbRTextRichtung;
    QPushButton *btRTextMittelpunkt, *btZuweisen;

    QToolButton *sbStift, *sbFuellung;
    TColorSwatch *ActiveColor;
    TColorGrid *ColorGrid;
    QSpinBox *seR, *seG, *seB;
    QCheckBox *cbOhneFuellung;

    QLineEdit *edX, *edY, *edWidth, *edHeight, *edX1, *edY1, *edX2, *edY2;
    QLabel *m_coordLabels[8];
    QLabel *m_unitLabels[8];
};
