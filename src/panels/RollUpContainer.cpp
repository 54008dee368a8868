#include "RollUpContainer.h"

#include "Errors.h"
#include "FontList.h"
#include "Page.h"
#include "PanelWidgets.h"
#include "RoundText.h"
#include "SerNo.h"
#include "Settings.h"
#include "Strings.h"
#include "Text.h"
#include "TextLayout.h"
#include "Units.h"
#include "ValueList.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t CoordLimit = 16384;

// Lines, circles and round text are placed by two points, the others by a
// rectangle.
bool hasTwoPoints(const TCDLFrame *f) { return f->DragPointCount == 2; }

QString memoText(const QStringList &values) { return values.join(QLatin1Char('\n')); }

// A typed decimal with the person's separator, a point or a comma.
bool parseNumber(const QString &text, double &v)
{
    QLocale l;
    l.setNumberOptions(QLocale::RejectGroupSeparator);
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    const QString t = text.trimmed();
    bool ok = false;
    v = l.toDouble(t, &ok);
    if (!ok)
        v = c.toDouble(t, &ok);
    if (!ok)
        v = c.toDouble(QString(t).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    return ok && std::isfinite(v);
}

} // namespace

TRollUpContainer::TRollUpContainer(TPanelHost &host, QWidget *parent) : QWidget(parent), m_host(host)
{
    setObjectName(QStringLiteral("RollUpContainer"));
    setAttribute(Qt::WA_DontShowOnScreen);
    rObjektContainer = new QWidget(this);
    rObjektContainer->setObjectName(QStringLiteral("rObjektContainer"));
    buildSerNo();
    buildDirectory();
    buildFont();
    buildPen();
    buildRotation();
    buildImageRotate();
    buildText();
    buildRoundText();
    buildApply();
    buildColors();
    buildCoords();
    rObjektContainer->hide();
    rColorPanel->hide();
    rCoordsPanel->hide();
    SetupStrings();
}

TRollUpContainer::~TRollUpContainer()
{
    // The roll-up windows borrow the panels: take them back before they go.
    m_host.SetObjectContent(nullptr);
    m_host.SetColorContent(nullptr);
    m_host.SetCoordsContent(nullptr);
}

const QStringList &TRollUpContainer::FontList() const { return lbSchriftart->Faces(); }

void TRollUpContainer::ShowFrame(TCDLPage *page, TCDLFrame *f)
{
    if (f && f == m_frame && page == m_page) {
        // Moved or sized by the mouse or the keys.
        ShowCoordinates();
        return;
    }
    if (!f && !m_frame && !m_shownPanels)
        return;
    m_frame = nullptr;
    m_page = nullptr;
    endRun();
    if (!f) {
        m_shownPanels = {};
        m_host.SetObjectContent(nullptr);
        m_host.SetColorContent(nullptr);
        m_host.SetCoordsContent(nullptr);
        return;
    }
    fill(f);
    const TPanels set = f->PanelSet();
    if (set != m_shownPanels) {
        m_host.SetColorContent(nullptr);
        if (set & TPanel::ColorPanel) {
            rColorPanel->show();
            m_host.SetColorContent(rColorPanel);
        }
        m_shownPanels = set;
        arrangeObjectPanels();
    }
    arrangeCoords(f);
    m_frame = f;
    m_page = page;
}

void TRollUpContainer::fill(TCDLFrame *f)
{
    const TPanels set = f->PanelSet();
    ReSetCoordCaption();
    cbOhneFuellung->setChecked(f->NoFill);
    cbOhneStift->setChecked(f->NoPen);
    seDrehung->setValue(f->Angle);
    seStift->setValue(f->PenSize);
    if (auto *t = dynamic_cast<TCDLFontFrame *>(f)) {
        cbBarcode->setChecked(t->Barcode);
        lbSchriftart->ShowFace(t->FontName);
        FontSize->setValue(t->FontSize);
        sbFontBold->setChecked(t->Bold);
        sbFontItalic->setChecked(t->Italic);
        sbFontStroke->setChecked(t->Underline);
        if (QAbstractButton *b = m_align->button(std::clamp(t->Alignment, 0, 3)))
            b->setChecked(true);
        const QString text = memoText(t->Values);
        QPlainTextEdit *memo = KindCast<TCDLRText>(f) ? mRundtext : mText;
        mText->setPlainText(memo == mText ? text : QString());
        mRundtext->setPlainText(memo == mRundtext ? text : QString());
        m_memoAccepted = text;
    } else {
        mText->clear();
        mRundtext->clear();
        m_memoAccepted.clear();
    }
    if (auto *n = KindCast<TCDLSerNo>(f)) {
        (n->UseValueList ? rbWerteliste : rbFortlaufend)->setChecked(true);
        nbSerNo->setCurrentIndex(n->UseValueList ? 0 : 1);
        sbSerNoLaden->setVisible(n->UseValueList);
        lbSerNo->clear();
        lbSerNo->addItems(n->Values);
        eStartwert->setText(QString::number(n->Counter));
        eFormat->setText(n->NumberFormat);
        if (n->Counter >= 0 && n->Counter < lbSerNo->count())
            lbSerNo->setCurrentRow(n->Counter);
    }
    cbRTextRichtung->setChecked(f->Angle == 180);
    const bool fill = bool(set & TPanel::FillColor);
    sbFuellung->setEnabled(fill);
    if (!fill)
        sbStift->setChecked(true);
    cbOhneFuellung->setVisible(fill && sbFuellung->isChecked());
    showActiveColor(f);
}

void TRollUpContainer::arrangeObjectPanels()
{
    const TPanels set = m_shownPanels;
    if (!set) {
        m_host.SetObjectContent(nullptr);
        return;
    }
    rObjektContainer->hide();
    sbBlock->setEnabled(bool(set & TPanel::Justify));
    for (QToolButton *b : {sbLeft, sbCenter, sbRight})
        b->setEnabled(!(set & TPanel::NoAlignment));
    cbOhneStift->setVisible(bool(set & TPanel::NoPenBox));
    const std::pair<QWidget *, TPanels> stack[] = {
        {rSerNo, TPanel::SerialNumber}, {rVerzeichnis, TPanel::Directory}, {rSchriftart, TPanel::Font},
        {rStift, TPanel::Pen},          {rDrehung, TPanel::Rotation},      {rImageRotate, TPanel::ImageRotate},
        {rText, TPanel::Text},          {rRundtext, TPanel::RoundText},
    };
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
    for (const auto &[w, bit] : stack)
        place(w, bool(set & bit));
    place(rZuweisen, !AppSettings().ApplyImmediately);
    rObjektContainer->setFixedSize(m_objectWidth, top + 1);
    rObjektContainer->show();
    m_host.SetObjectContent(rObjektContainer);
}

void TRollUpContainer::arrangeCoords(TCDLFrame *f)
{
    const bool two = hasTwoPoints(f);
    for (QWidget *w : {rPositionXY, rPositionDim, rPositionX1Y1, rPositionX2Y2})
        w->hide();
    QWidget *first = two ? rPositionX1Y1 : rPositionXY;
    QWidget *second = two ? rPositionX2Y2 : rPositionDim;
    first->move(0, 0);
    second->move(0, first->height());
    first->show();
    second->show();
    TCDLFrame *shown = std::exchange(m_frame, f);
    ShowCoordinates();
    m_frame = shown;
    rCoordsPanel->setFixedSize(first->width(), first->height() + second->height() + 1);
    rCoordsPanel->show();
    m_host.SetCoordsContent(rCoordsPanel);
}

void TRollUpContainer::ShowCoordinates()
{
    TCDLFrame *f = m_frame;
    if (!f || !f->Page)
        return;
    const int d = UnitDivisor();
    const int decimals = d == 10 ? 1 : 2;
    const QPoint o = f->Page->Origin;
    const QLocale l;
    auto put = [&](QLineEdit *e, int64_t v) { e->setText(l.toString(double(v) / d, 'f', decimals)); };
    if (hasTwoPoints(f)) {
        put(edX1, int64_t(f->X) - o.x());
        put(edY1, int64_t(f->Y) - o.y());
        put(edX2, int64_t(f->X2) - o.x());
        put(edY2, int64_t(f->Y2) - o.y());
    } else {
        put(edX, int64_t(f->X) - o.x());
        put(edY, int64_t(f->Y) - o.y());
        put(edWidth, f->Width);
        put(edHeight, f->Height);
    }
}

void TRollUpContainer::takeSnapshot(int kind, const QObject *run)
{
    TUndo &u = m_page->Undo;
    if (run && run == m_run && m_runRevision == u.Revision())
        return;
    u.Record(m_frame, nullptr, TUndoKind(kind));
    m_run = run;
    m_runRevision = u.Revision();
}

void TRollUpContainer::changed(bool repaint)
{
    m_page->Modified = true;
    m_frame->UpdateScreenGeometry();
    if (m_page->Window)
        m_page->Window->ShowStatus(m_frame->Verbose());
    if (repaint)
        m_page->Repaint();
}

void TRollUpContainer::PropertiesChanged() { propertiesChanged(nullptr); }

void TRollUpContainer::propertiesChanged(const QObject *run)
{
    TCDLFrame *f = m_frame;
    if (!f)
        return;
    takeSnapshot(int(TUndoKind::Properties), run);
    const TPanels set = f->PanelSet();
    if (auto *n = KindCast<TCDLSerNo>(f); n && (set & TPanel::SerialNumber)) {
        n->UseValueList = rbWerteliste->isChecked();
        n->NumberFormat = eFormat->text().left(MaxShortString);
        bool ok = false;
        const int counter = startValue(&ok);
        if (ok)
            n->Counter = counter;
        QStringList values;
        for (int i = 0; i < lbSerNo->count(); ++i)
            values.append(lbSerNo->item(i)->text());
        n->Values = values;
    }
    auto *t = dynamic_cast<TCDLFontFrame *>(f);
    if (t && (set & TPanel::Font)) {
        if (const QString face = lbSchriftart->Face(); !face.isEmpty())
            t->FontName = face;
        t->FontSize = FontSize->value();
        t->Bold = sbFontBold->isChecked();
        t->Italic = sbFontItalic->isChecked();
        t->Underline = sbFontStroke->isChecked();
        t->Barcode = cbBarcode->isChecked();
        t->Alignment = std::max(0, m_align->checkedId());
    }
    if (set & TPanel::Pen) {
        f->NoPen = cbOhneStift->isChecked();
        f->PenSize = seStift->value();
    }
    if (set & TPanel::Rotation)
        f->Angle = seDrehung->value();
    if (t && (set & TPanel::Text))
        t->Values = SplitParagraphs(mText->toPlainText());
    if (t && (set & TPanel::RoundText)) {
        t->Values = SplitParagraphs(mRundtext->toPlainText());
        f->Angle = seDrehung->value();
    }
    changed(AppSettings().ApplyImmediately);
}

void TRollUpContainer::memoChanged(QPlainTextEdit *memo)
{
    if (!m_frame)
        return;
    const QString text = memo->toPlainText();
    try {
        CheckRecordText(JoinParagraphs(SplitParagraphs(text)));
    } catch (const ELocalizedError &e) {
        // Refused whole, as typed or pasted: the record's length is 16 bits.
        const int grown = int(text.size() - m_memoAccepted.size());
        const int at = memo->textCursor().position() - std::max(grown, 0);
        {
            const QSignalBlocker block(memo);
            memo->setPlainText(m_memoAccepted);
            QTextCursor c = memo->textCursor();
            c.setPosition(std::clamp(at, 0, int(m_memoAccepted.size())));
            memo->setTextCursor(c);
        }
        m_host.ShowError(e.message());
        return;
    }
    m_memoAccepted = text;
    propertiesChanged(memo);
}

void TRollUpContainer::coordEdited(QLineEdit *ed, const QString &text)
{
    TCDLFrame *f = m_frame;
    if (!f)
        return;
    double typed = 0;
    if (!text.trimmed().isEmpty() && !parseNumber(text, typed))
        return;
    const QPoint o = m_page->Origin;
    struct TTarget
    {
        QLineEdit *Edit;
        int32_t *Field;
        int Origin;
    };
    const TTarget targets[] = {
        {edX, &f->X, o.x()},   {edY, &f->Y, o.y()},   {edX1, &f->X, o.x()},    {edY1, &f->Y, o.y()},
        {edX2, &f->X2, o.x()}, {edY2, &f->Y2, o.y()}, {edWidth, &f->Width, 0}, {edHeight, &f->Height, 0},
    };
    for (const TTarget &t : targets) {
        if (t.Edit != ed)
            continue;
        const double v = std::trunc(typed * UnitDivisor()) + t.Origin;
        const auto nv = int32_t(std::clamp(v, double(-CoordLimit), double(CoordLimit)));
        if (nv == *t.Field)
            return;
        takeSnapshot(int(TUndoKind::Size), ed);
        *t.Field = nv;
        changed(true);
        return;
    }
}

int TRollUpContainer::startValue(bool *ok) const
{
    const QString s = eStartwert->text().trimmed();
    const int v = s.toInt(ok);
    return *ok ? v : 0;
}

void TRollUpContainer::startValueEdited()
{
    if (!m_frame)
        return;
    bool ok = false;
    const int n = startValue(&ok);
    if (!ok) {
        // Half typed: wait for the rest.
        if (eStartwert->text().trimmed().isEmpty() || eStartwert->text().trimmed() == QStringLiteral("-"))
            return;
        m_host.ShowError(GetText(1050));
        // The box took the focus; the person goes on correcting here.
        if (eStartwert->isVisible()) {
            eStartwert->window()->activateWindow();
            eStartwert->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    if (lbSerNo->count() > 0 && n >= 0) {
        const QSignalBlocker block(lbSerNo);
        lbSerNo->setCurrentRow(std::min(n, lbSerNo->count() - 1));
    }
    PropertiesChanged();
}

void TRollUpContainer::loadValueList()
{
    if (!m_frame)
        return;
    const QString path = m_host.AskTextFile(GetText(582), GetText(583), AppSettings().SerialNumberDir);
    if (path.isEmpty() || !m_frame)
        return;
    QStringList values;
    try {
        values = ReadValueListFile(path);
    } catch (const ELocalizedError &e) {
        m_host.ShowError(e.message());
        return;
    }
    lbSerNo->clear();
    lbSerNo->addItems(values);
    eStartwert->setText(QStringLiteral("0"));
    if (lbSerNo->count() > 0) {
        const QSignalBlocker block(lbSerNo);
        lbSerNo->setCurrentRow(0);
    }
    PropertiesChanged();
}

void TRollUpContainer::serNoModeClicked(bool valueList)
{
    nbSerNo->setCurrentIndex(valueList ? 0 : 1);
    sbSerNoLaden->setVisible(valueList);
    PropertiesChanged();
}

void TRollUpContainer::checkQuarters(int v)
{
    QRadioButton *quarters[] = {rb0, rb90, rb180, rb270};
    for (int k = 0; k < 4; ++k)
        quarters[k]->setChecked(v == 90 * k);
    pbCrossImage->SetAngle(v);
}

void TRollUpContainer::rotationChanged(int v)
{
    checkQuarters(v);
    PropertiesChanged();
}

void TRollUpContainer::centreRoundText()
{
    if (!m_frame)
        return;
    takeSnapshot(int(TUndoKind::Size));
    m_frame->X2 = 0;
    m_frame->Y2 = 0;
    changed(true);
    ShowCoordinates();
}

bool TRollUpContainer::usesFill() const { return sbFuellung->isChecked() && sbFuellung->isEnabled(); }

void TRollUpContainer::colorTargetClicked(bool fill)
{
    cbOhneFuellung->setVisible(fill && sbFuellung->isEnabled());
    showActiveColor(m_frame);
}

void TRollUpContainer::showActiveColor(const TCDLFrame *f)
{
    if (!f)
        return;
    const TColor c = usesFill() ? f->FillColor : f->PenColor;
    ActiveColor->SetColor(c);
    const QSignalBlocker br(seR), bg(seG), bb(seB);
    seR->setValue(int(c & 0xFF));
    seG->setValue(int((c >> 8) & 0xFF));
    seB->setValue(int((c >> 16) & 0xFF));
}

void TRollUpContainer::cellSelected(int row, int column)
{
    if (!m_frame)
        return;
    takeSnapshot(int(TUndoKind::Properties));
    const TColor c = PaletteColor(row, column);
    (usesFill() ? m_frame->FillColor : m_frame->PenColor) = c;
    showActiveColor(m_frame);
    changed(true);
}

void TRollUpContainer::componentChanged()
{
    if (!m_frame)
        return;
    takeSnapshot(int(TUndoKind::Properties), sender());
    ActiveColor->SetColor(RGBColor(seR->value(), seG->value(), seB->value()));
    colorChanged();
}

void TRollUpContainer::colorChanged()
{
    (usesFill() ? m_frame->FillColor : m_frame->PenColor) = ActiveColor->Color();
    changed(true);
}

void TRollUpContainer::FocusTextInput(TCDLFrame *f)
{
    if (!f || f != m_frame)
        return;
    QWidget *w = nullptr;
    switch (f->Kind().Focus) {
    case TTextFocus::Text: w = mText; break;
    case TTextFocus::RoundText: w = mRundtext; break;
    case TTextFocus::SerialNumber: w = rbWerteliste->isChecked() ? static_cast<QWidget *>(lbSerNo) : eStartwert; break;
    case TTextFocus::None: return;
    }
    // Only into a roll-up window that is shown.
    if (!w->isVisible())
        return;
    w->window()->activateWindow();
    w->setFocus(Qt::OtherFocusReason);
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
