#pragma once
// The property panels of the frame being edited. One hidden window holds
// them; the three roll-up windows borrow the object panels, the colour panel
// and the coordinate panel. The container shows the panels the frame's kind
// declares, fills them from the frame and, for every edit in a panel, takes
// an undo snapshot and has the panel write itself back.

#include "FrameKind.h"
#include "PanelHost.h"
#include "PropertyPanel.h"
#include "Undo.h"

#include <QWidget>
#include <vector>

class TCDLFrame;
class TCDLPage;
class TColorPanel;
class TCoordsPanel;
class TFontList;
class QPushButton;

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
    // Writes the shown object panels back into the shown frame.
    void PropertiesChanged();
    // A new frame wants its text input (the text, round-text or
    // serial-number panel), when its roll-up window is shown.
    // Gives the shown frame's text input the focus; it, or none.
    QWidget *FocusTextInput(TCDLFrame *f);
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

    struct TStacked
    {
        TPanel Bit;
        TPropertyPanel *Panel;
    };

    void buildApply();
    void arrangeObjectPanels();
    void setShowing(bool on);
    void edited(TPropertyPanel &panel, QObject *run, TEditKind kind);
    // A snapshot before a change. A run (typing into one input) takes one
    // for the whole run; the run ends when the input loses the focus or
    // anything else touches the page's undo.
    void takeSnapshot(TUndoKind kind, QObject *run);
    void endRun() { m_run = nullptr; }
    void changed(bool repaint);

    TPanelHost &m_host;
    TCDLFrame *m_frame = nullptr;
    TCDLPage *m_page = nullptr;
    TPanels m_shownPanels;
    int m_objectWidth = PanelWidth;
    const QObject *m_run = nullptr;
    quint64 m_runRevision = 0;

    QWidget *m_objects;
    // The object panels in their stacking order.
    std::vector<TStacked> m_stack;
    QWidget *m_apply;
    QPushButton *m_applyButton;
    // The panels' own: they leave this window while lent.
    const TFontList *m_faces;
    TColorPanel *m_colors;
    TCoordsPanel *m_coords;
};
