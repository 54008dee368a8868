#pragma once
// One property panel: it builds its controls, sets their captions, fills
// them from a frame and writes them back into one. The container decides
// which panels a frame shows, takes the undo snapshot before an edit and
// tells the page. Fields that map one to one onto a control go by their
// record name (the kind's QM_FIELD table), so a kind that does not store a
// field is neither read nor written there.

#include "FrameKind.h"
#include "RecordField.h"

#include <QWidget>
#include <functional>
#include <vector>

class QAbstractButton;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QToolButton;
class TPanelHost;

// What an edit asks of the container.
enum class TEditKind : uint8_t {
    Property, // a properties snapshot; the page shows it when changes show at once
    Colour,   // a properties snapshot; the page shows it at once
    Place,    // a size snapshot; the page shows it at once, the coordinates follow
    Record,   // a whole-record snapshot (what undo's property record leaves out); as Place
};

class TPropertyPanel
{
public:
    virtual ~TPropertyPanel() = default;

    virtual QWidget *Widget() = 0;
    // The panel bits of a kind's set this panel answers: its own and the
    // ones that switch controls in it.
    virtual TPanels Bits() const = 0;
    // Frame to controls. Runs while no frame is shown, so nothing is written.
    virtual void Fill(const TCDLFrame &f) = 0;
    // Controls to frame: what the person can have changed here. A one-off
    // action (a typed coordinate, centring) is written only in the call
    // that follows its report.
    virtual void WriteBack(TCDLFrame &f) = 0;
    virtual void SetupStrings() = 0;
    // The controls a kind's set switches on or off.
    virtual void Arrange(TPanels /*set*/) {}
    // The input a new frame's text goes into; null for none.
    virtual QWidget *TextInput() const { return nullptr; }

    // Set by the container: an edit was made; run is the input of a run of
    // typing that takes one snapshot, or null.
    std::function<void(TPropertyPanel &, QObject *run, TEditKind)> Edited;
    // Set by the container while it shows a frame.
    bool Showing = false;

protected:
    void Edit(QObject *run = nullptr, TEditKind kind = TEditKind::Property)
    {
        if (Edited && Showing)
            Edited(*this, run, kind);
    }
};

// The shown frame's stored field by its record name; null when its kind
// does not store it or stores it as another type.
const TRecordField *StoredField(const TCDLFrame &f, const char *name, TFieldType type);
template <class T> T *StoredValue(TCDLFrame &f, const char *name)
{
    const TRecordField *r = StoredField(f, name, FieldTypeOf<T>());
    return r ? &r->Ref<T>(f) : nullptr;
}
template <class T> const T *StoredValue(const TCDLFrame &f, const char *name)
{
    return StoredValue<T>(const_cast<TCDLFrame &>(f), name);
}

// Controls bound one to one to stored fields by name: a spin box to a 32-bit
// number, a checkable button to a flag, a line to a short string, a memo to
// the paragraphs.
class TFieldControls
{
public:
    void Bind(const char *name, QSpinBox *s);
    void Bind(const char *name, QAbstractButton *b);
    void Bind(const char *name, QLineEdit *e);
    void Bind(const char *name, QPlainTextEdit *m);
    void Fill(const TCDLFrame &f) const;
    void WriteBack(TCDLFrame &f) const;

private:
    struct TRow
    {
        const char *Name;
        QObject *Control;
    };
    std::vector<TRow> m_rows;
};

// Building blocks of the panels' controls.
template <class W> W *Named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}
QGroupBox *PanelBox(QWidget *parent, const char *name);
QSpinBox *Spin(QWidget *parent, const char *name, int lo, int hi, int value);
QToolButton *SpeedButton(QWidget *parent, const char *name, bool checkable);

// A panel of the object roll-up, made in its place in the stack.
using TPanelMaker = TPropertyPanel *(*)(TPanelHost &host, QWidget *parent);
TPropertyPanel *MakeSerNoPanel(TPanelHost &host, QWidget *parent);
TPropertyPanel *MakeDirectoryPanel(TPanelHost &host, QWidget *parent);
TPropertyPanel *MakeFontPanel(TPanelHost &host, QWidget *parent);
TPropertyPanel *MakePenPanel(TPanelHost &host, QWidget *parent);
TPropertyPanel *MakeRotationPanel(TPanelHost &host, QWidget *parent);
TPropertyPanel *MakeImageRotatePanel(TPanelHost &host, QWidget *parent);
TPropertyPanel *MakeTextPanel(TPanelHost &host, QWidget *parent);
TPropertyPanel *MakeRoundTextPanel(TPanelHost &host, QWidget *parent);
