#include "RollUpContainer.h"

#include "ColorPanel.h"
#include "CoordsPanel.h"
#include "FontList.h"
#include "KeyboardOrder.h"
#include "Page.h"
#include "Settings.h"
#include "Strings.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <algorithm>

namespace {

// The object roll-up's panels from top to bottom; a kind shows those whose
// bit it declares.
constexpr std::pair<TPanel, TPanelMaker> ObjectStack[] = {
    {TPanel::SerialNumber, &MakeSerNoPanel}, {TPanel::Directory, &MakeDirectoryPanel},
    {TPanel::Font, &MakeFontPanel},          {TPanel::Pen, &MakePenPanel},
    {TPanel::Rotation, &MakeRotationPanel},  {TPanel::ImageRotate, &MakeImageRotatePanel},
    {TPanel::Text, &MakeTextPanel},          {TPanel::RoundText, &MakeRoundTextPanel},
};

} // namespace

TRollUpContainer::TRollUpContainer(TPanelHost &host, QWidget *parent) : QWidget(parent), m_host(host)
{
    setObjectName(QStringLiteral("RollUpContainer"));
    setAttribute(Qt::WA_DontShowOnScreen);
    m_objects = new QWidget(this);
    m_objects->setObjectName(QStringLiteral("rObjektContainer"));
    auto edits = [this](TPropertyPanel &p, QObject *run, TEditKind kind) { edited(p, run, kind); };
    for (const auto &[bit, make] : ObjectStack) {
        TPropertyPanel *p = make(host, m_objects);
        p->Edited = edits;
        LinkLabelsAndTabOrder(p->Widget());
        m_stack.push_back({bit, p});
    }
    buildApply();
    m_faces = m_objects->findChild<TFontList *>();
    m_colors = new TColorPanel(this);
    m_colors->Edited = edits;
    m_coords = new TCoordsPanel(this);
    m_coords->Edited = edits;
    LinkLabelsAndTabOrder(m_colors);
    LinkLabelsAndTabOrder(m_coords);
    m_objects->hide();
    m_colors->hide();
    m_coords->hide();
    SetupStrings();
}

TRollUpContainer::~TRollUpContainer()
{
    // The roll-up windows borrow the panels: take them back before they go.
    m_host.SetObjectContent(nullptr);
    m_host.SetColorContent(nullptr);
    m_host.SetCoordsContent(nullptr);
}

void TRollUpContainer::buildApply()
{
    m_apply = new QWidget(m_objects);
    m_apply->setObjectName(QStringLiteral("rZuweisen"));
    auto *h = new QHBoxLayout(m_apply);
    m_applyButton = new QPushButton(m_apply);
    m_applyButton->setObjectName(QStringLiteral("btZuweisen"));
    h->addWidget(m_applyButton);
    connect(m_applyButton, &QPushButton::clicked, this, [this] {
        if (m_page)
            m_page->Repaint();
    });
}

const QStringList &TRollUpContainer::FontList() const { return m_faces->Faces(); }

void TRollUpContainer::setShowing(bool on)
{
    for (const TStacked &s : m_stack)
        s.Panel->Showing = on;
    m_colors->Showing = on;
    m_coords->Showing = on;
}

void TRollUpContainer::ShowFrame(TCDLPage *page, TCDLFrame *f)
{
    if (f && f == m_frame && page == m_page) {
        // Moved or sized by the mouse or the keys.
        ShowCoordinates();
        return;
    }
    if (!f && !m_frame && !m_shownPanels)
        return;
    // Filling writes nothing back.
    m_frame = nullptr;
    m_page = nullptr;
    setShowing(false);
    endRun();
    if (!f) {
        m_shownPanels = {};
        m_host.SetObjectContent(nullptr);
        m_host.SetColorContent(nullptr);
        m_host.SetCoordsContent(nullptr);
        return;
    }
    const TPanels set = f->PanelSet();
    m_coords->ShowUnit();
    for (const TStacked &s : m_stack)
        if (set & s.Bit)
            s.Panel->Fill(*f);
    m_colors->Fill(*f);
    if (set != m_shownPanels) {
        m_host.SetColorContent(nullptr);
        if (set & TPanel::ColorPanel) {
            m_colors->show();
            m_host.SetColorContent(m_colors);
        }
        m_shownPanels = set;
        arrangeObjectPanels();
    }
    m_coords->Fill(*f);
    m_coords->ShowFrameParts(f->DragPointCount == 2);
    m_coords->show();
    m_host.SetCoordsContent(m_coords);
    m_frame = f;
    m_page = page;
    setShowing(true);
}

void TRollUpContainer::arrangeObjectPanels()
{
    const TPanels set = m_shownPanels;
    if (!set) {
        m_host.SetObjectContent(nullptr);
        return;
    }
    m_objects->hide();
    int top = 0;
    auto place = [&](QWidget *w, bool on) {
        if (!on) {
            w->hide();
            return;
        }
        const int h = w->sizeHint().height();
        w->setGeometry(0, top, m_objectWidth, h);
        w->show();
        top += h;
    };
    for (const TStacked &s : m_stack) {
        s.Panel->Arrange(set);
        place(s.Panel->Widget(), bool(set & s.Bit));
    }
    place(m_apply, !AppSettings().ApplyImmediately);
    m_objects->setFixedSize(m_objectWidth, top + 1);
    m_objects->show();
    m_host.SetObjectContent(m_objects);
}

void TRollUpContainer::ShowCoordinates()
{
    if (m_frame)
        m_coords->Fill(*m_frame);
}

void TRollUpContainer::ReSetCoordCaption() { m_coords->ShowUnit(); }

void TRollUpContainer::takeSnapshot(TUndoKind kind, QObject *run)
{
    TUndo &u = m_page->Undo;
    if (run && run == m_run && m_runRevision == u.Revision())
        return;
    u.Record(m_frame, nullptr, kind);
    if (run)
        run->installEventFilter(this);
    m_run = run;
    m_runRevision = u.Revision();
}

void TRollUpContainer::changed(bool repaint)
{
    m_page->Modified = true;
    m_page->UpdateScreenGeometry(*m_frame);
    if (m_page->Window)
        m_page->Window->ShowStatus(m_frame->Verbose());
    if (repaint)
        m_page->Repaint();
}

void TRollUpContainer::edited(TPropertyPanel &panel, QObject *run, TEditKind kind)
{
    if (!m_frame)
        return;
    const bool place = kind == TEditKind::Place || kind == TEditKind::Record;
    takeSnapshot(kind == TEditKind::Place    ? TUndoKind::Size
                 : kind == TEditKind::Record ? TUndoKind::Record
                                             : TUndoKind::Properties,
                 run);
    panel.WriteBack(*m_frame);
    changed(kind != TEditKind::Property || AppSettings().ApplyImmediately);
    if (place && &panel != m_coords)
        ShowCoordinates();
}

void TRollUpContainer::PropertiesChanged()
{
    if (!m_frame)
        return;
    takeSnapshot(TUndoKind::Properties, nullptr);
    for (const TStacked &s : m_stack)
        if (m_shownPanels & s.Bit)
            s.Panel->WriteBack(*m_frame);
    changed(AppSettings().ApplyImmediately);
}

QWidget *TRollUpContainer::FocusTextInput(TCDLFrame *f)
{
    if (!f || f != m_frame)
        return nullptr;
    TPanel bit = TPanel::Text;
    switch (f->Kind().Focus) {
    case TTextFocus::Text: bit = TPanel::Text; break;
    case TTextFocus::RoundText: bit = TPanel::RoundText; break;
    case TTextFocus::SerialNumber: bit = TPanel::SerialNumber; break;
    case TTextFocus::None: return nullptr;
    }
    const auto s = std::find_if(m_stack.begin(), m_stack.end(), [bit](const TStacked &s) { return s.Bit == bit; });
    QWidget *w = s == m_stack.end() ? nullptr : s->Panel->TextInput();
    // Only into a roll-up window that is shown.
    if (!w || !w->isVisible())
        return nullptr;
    w->window()->activateWindow();
    w->setFocus(Qt::OtherFocusReason);
    return w;
}

void TRollUpContainer::ApplyImmediatelyChanged()
{
    if (m_shownPanels)
        arrangeObjectPanels();
}

bool TRollUpContainer::eventFilter(QObject *o, QEvent *e)
{
    // Leaving an input ends its run of typing: the next change is a new step.
    if (e->type() == QEvent::FocusOut && o == m_run)
        endRun();
    return QWidget::eventFilter(o, e);
}

void TRollUpContainer::SetupStrings()
{
    for (const TStacked &s : m_stack)
        s.Panel->SetupStrings();
    m_applyButton->setText(GetText(6));
    m_colors->SetupStrings();
    m_coords->SetupStrings();
    // Captions change the panels' sizes: they grow to show them whole.
    m_objectWidth = std::max(PanelWidth, m_apply->minimumSizeHint().width());
    for (const TStacked &s : m_stack)
        m_objectWidth = std::max(m_objectWidth, s.Panel->Widget()->minimumSizeHint().width());
    if (!m_shownPanels)
        return;
    if (m_shownPanels & TPanel::ColorPanel)
        m_host.SetColorContent(m_colors);
    arrangeObjectPanels();
    if (m_frame) {
        m_coords->ShowFrameParts(m_frame->DragPointCount == 2);
        ShowCoordinates();
        m_host.SetCoordsContent(m_coords);
    }
}

QSize TRollUpContainer::ColorPanelSize() const { return m_colors->size(); }

QSize TRollUpContainer::CoordsPanelSize() const { return m_coords->RectangleSize(); }
