#include "RollUpContainer.h"

#include "FontList.h"
#include "Page.h"
#include "PanelWidgets.h"
#include "Settings.h"
#include "Strings.h"
#include "Units.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

// The panels' controls, their connections and their captions.

namespace {

template <class W> W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QGroupBox *panel(QWidget *parent, const char *name) { return named(new QGroupBox(parent), name); }

QSpinBox *spin(QWidget *parent, const char *name, int lo, int hi, int value)
{
    auto *s = named(new QSpinBox(parent), name);
    s->setRange(lo, hi);
    s->setValue(value);
    return s;
}

QToolButton *speedButton(QWidget *parent, const char *name, bool checkable)
{
    auto *b = named(new QToolButton(parent), name);
    b->setCheckable(checkable);
    b->setAutoRaise(true);
    b->setFixedSize(24, 22);
    return b;
}

// Four lines set as the alignment buttons set text.
QIcon alignIcon(int alignment)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    const int widths[4] = {14, 9, 12, 7};
    for (int k = 0; k < 4; ++k) {
        const int w = alignment == 3 && k < 3 ? 14 : widths[k];
        const int x = alignment == 1 ? (16 - w) / 2 : alignment == 2 ? 15 - w : 1;
        p.drawLine(x, 3 + 3 * k, x + w - 1, 3 + 3 * k);
    }
    return QIcon(pm);
}

} // namespace

void TRollUpContainer::buildSerNo()
{
    rSerNo = panel(rObjektContainer, "rSerNo");
    auto *v = new QVBoxLayout(rSerNo);
    rbFortlaufend = named(new QRadioButton(rSerNo), "rbFortlaufend");
    rbWerteliste = named(new QRadioButton(rSerNo), "rbWerteliste");
    auto *mode = new QButtonGroup(rSerNo);
    mode->addButton(rbWerteliste, 0);
    mode->addButton(rbFortlaufend, 1);
    rbFortlaufend->setChecked(true);
    v->addWidget(rbFortlaufend);
    auto *row = new QHBoxLayout;
    row->addWidget(rbWerteliste, 1);
    sbSerNoLaden = speedButton(rSerNo, "sbSerNoLaden", false);
    sbSerNoLaden->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    row->addWidget(sbSerNoLaden);
    v->addLayout(row);

    nbSerNo = named(new QStackedWidget(rSerNo), "nbSerNo");
    lbSerNo = named(new QListWidget(nbSerNo), "lbSerNo");
    lbSerNo->setFixedHeight(90);
    nbSerNo->addWidget(lbSerNo);
    auto *counter = new QWidget(nbSerNo);
    auto *g = new QGridLayout(counter);
    g->setContentsMargins(0, 0, 0, 0);
    lblStartwert = new QLabel(counter);
    lblFormat = new QLabel(counter);
    eStartwert = named(new QLineEdit(QStringLiteral("1"), counter), "eStartwert");
    eStartwert->setMaxLength(9);
    eFormat = named(new QLineEdit(QStringLiteral("########"), counter), "eFormat");
    eFormat->setMaxLength(MaxShortString);
    g->addWidget(lblStartwert, 0, 0);
    g->addWidget(eStartwert, 0, 1);
    g->addWidget(lblFormat, 1, 0);
    g->addWidget(eFormat, 1, 1);
    nbSerNo->addWidget(counter);
    nbSerNo->setCurrentIndex(1);
    sbSerNoLaden->hide();
    v->addWidget(nbSerNo);

    connect(rbWerteliste, &QRadioButton::clicked, this, [this] { serNoModeClicked(true); });
    connect(rbFortlaufend, &QRadioButton::clicked, this, [this] { serNoModeClicked(false); });
    connect(sbSerNoLaden, &QToolButton::clicked, this, &TRollUpContainer::loadValueList);
    connect(eStartwert, &QLineEdit::textEdited, this, &TRollUpContainer::startValueEdited);
    connect(eFormat, &QLineEdit::textEdited, this, [this] { PropertiesChanged(); });
    connect(lbSerNo, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        eStartwert->setText(QString::number(lbSerNo->row(item)));
        startValueEdited();
    });
}

void TRollUpContainer::buildDirectory()
{
    // Directory listings have no panel of their own yet.
    rVerzeichnis = panel(rObjektContainer, "rVerzeichnis");
    new QVBoxLayout(rVerzeichnis);
}

void TRollUpContainer::buildFont()
{
    rSchriftart = panel(rObjektContainer, "rSchriftart");
    auto *v = new QVBoxLayout(rSchriftart);
    lbSchriftart = named(new TFontList(MaxShortString, rSchriftart), "lbSchriftart");
    lbSchriftart->setFixedHeight(120);
    v->addWidget(lbSchriftart);

    auto *sizeRow = new QHBoxLayout;
    lblFontSize = new QLabel(rSchriftart);
    FontSize = spin(rSchriftart, "FontSize", 2, 256, 10);
    // A typed size applies once it is complete, not digit by digit.
    FontSize->setKeyboardTracking(false);
    lblPts = new QLabel(rSchriftart);
    sizeRow->addWidget(lblFontSize);
    sizeRow->addWidget(FontSize);
    sizeRow->addWidget(lblPts);
    sizeRow->addStretch();
    v->addLayout(sizeRow);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(1);
    sbLeft = speedButton(rSchriftart, "sbLeft", true);
    sbCenter = speedButton(rSchriftart, "sbCenter", true);
    sbRight = speedButton(rSchriftart, "sbRight", true);
    sbBlock = speedButton(rSchriftart, "sbBlock", true);
    m_align = new QButtonGroup(rSchriftart);
    QToolButton *align[] = {sbLeft, sbCenter, sbRight, sbBlock};
    for (int k = 0; k < 4; ++k) {
        align[k]->setIcon(alignIcon(k));
        m_align->addButton(align[k], k);
        buttons->addWidget(align[k]);
    }
    sbLeft->setChecked(true);
    buttons->addSpacing(6);
    sbFontBold = speedButton(rSchriftart, "sbFontBold", true);
    sbFontItalic = speedButton(rSchriftart, "sbFontItalic", true);
    sbFontStroke = speedButton(rSchriftart, "sbFontStroke", true);
    QToolButton *style[] = {sbFontBold, sbFontItalic, sbFontStroke};
    const QString glyphs[] = {QStringLiteral("B"), QStringLiteral("I"), QStringLiteral("U")};
    for (int k = 0; k < 3; ++k) {
        QFont f = style[k]->font();
        f.setBold(k == 0);
        f.setItalic(k == 1);
        f.setUnderline(k == 2);
        style[k]->setFont(f);
        style[k]->setText(glyphs[k]);
        buttons->addWidget(style[k]);
    }
    buttons->addStretch();
    v->addLayout(buttons);
    cbBarcode = named(new QCheckBox(rSchriftart), "cbBarcode");
    v->addWidget(cbBarcode);

    connect(lbSchriftart, &TFontList::facePicked, this, [this] { PropertiesChanged(); });
    connect(FontSize, &QSpinBox::valueChanged, this, [this] { PropertiesChanged(); });
    connect(m_align, &QButtonGroup::idClicked, this, [this] { PropertiesChanged(); });
    for (QAbstractButton *b : {static_cast<QAbstractButton *>(sbFontBold), static_cast<QAbstractButton *>(sbFontItalic),
                               static_cast<QAbstractButton *>(sbFontStroke), static_cast<QAbstractButton *>(cbBarcode)})
        connect(b, &QAbstractButton::clicked, this, [this] { PropertiesChanged(); });
}

void TRollUpContainer::buildPen()
{
    rStift = panel(rObjektContainer, "rStift");
    auto *h = new QHBoxLayout(rStift);
    seStift = spin(rStift, "seStift", 0, 200, 0);
    cbOhneStift = named(new QCheckBox(rStift), "cbOhneStift");
    h->addWidget(seStift);
    h->addWidget(cbOhneStift, 1);
    connect(seStift, &QSpinBox::valueChanged, this, [this] { PropertiesChanged(); });
    connect(cbOhneStift, &QCheckBox::clicked, this, [this] { PropertiesChanged(); });
}

void TRollUpContainer::buildRotation()
{
    rDrehung = panel(rObjektContainer, "rDrehung");
    auto *h = new QHBoxLayout(rDrehung);
    auto *left = new QVBoxLayout;
    auto *row = new QHBoxLayout;
    seDrehung = spin(rDrehung, "seDrehung", -359, 359, 0);
    lblGrad = new QLabel(rDrehung);
    row->addWidget(seDrehung);
    row->addWidget(lblGrad);
    left->addLayout(row);
    auto *quarter = new QGridLayout;
    rb0 = named(new QRadioButton(QStringLiteral("0°"), rDrehung), "rb0");
    rb90 = named(new QRadioButton(QStringLiteral("90°"), rDrehung), "rb90");
    rb180 = named(new QRadioButton(QStringLiteral("180°"), rDrehung), "rb180");
    rb270 = named(new QRadioButton(QStringLiteral("270°"), rDrehung), "rb270");
    // Not exclusive: an angle between the quarters checks none of them.
    QRadioButton *quarters[] = {rb0, rb90, rb180, rb270};
    for (int k = 0; k < 4; ++k) {
        quarters[k]->setAutoExclusive(false);
        quarter->addWidget(quarters[k], k / 2, k % 2);
        connect(quarters[k], &QRadioButton::clicked, this, [this, k] {
            if (seDrehung->value() != 90 * k)
                seDrehung->setValue(90 * k);
            else
                checkQuarters(90 * k);
        });
    }
    left->addLayout(quarter);
    h->addLayout(left, 1);
    pbCrossImage = named(new TCompass(rDrehung), "pbCrossImage");
    h->addWidget(pbCrossImage);
    rb0->setChecked(true);
    connect(seDrehung, &QSpinBox::valueChanged, this, &TRollUpContainer::rotationChanged);
}

void TRollUpContainer::buildImageRotate()
{
    // Pictures come later: the panel keeps its place in the stack.
    rImageRotate = panel(rObjektContainer, "rImageRotate");
    auto *h = new QHBoxLayout(rImageRotate);
    sbRotateLeft = speedButton(rImageRotate, "sbRotateLeft", false);
    sbRotateRight = speedButton(rImageRotate, "sbRotateRight", false);
    sbMirror = speedButton(rImageRotate, "sbMirror", false);
    sbFlip = speedButton(rImageRotate, "sbFlip", false);
    for (QToolButton *b : {sbRotateLeft, sbRotateRight, sbMirror, sbFlip})
        h->addWidget(b);
    h->addStretch();
}

void TRollUpContainer::buildText()
{
    rText = panel(rObjektContainer, "rText");
    auto *v = new QVBoxLayout(rText);
    mText = named(new QPlainTextEdit(rText), "mText");
    mText->setFixedHeight(110);
    v->addWidget(mText);
    mText->installEventFilter(this);
    connect(mText, &QPlainTextEdit::textChanged, this, [this] { memoChanged(mText); });
}

void TRollUpContainer::buildRoundText()
{
    rRundtext = panel(rObjektContainer, "rRundtext");
    auto *v = new QVBoxLayout(rRundtext);
    mRundtext = named(new QPlainTextEdit(rRundtext), "mRundtext");
    mRundtext->setFixedHeight(60);
    cbRTextRichtung = named(new QCheckBox(rRundtext), "cbRTextRichtung");
    btRTextMittelpunkt = named(new QPushButton(rRundtext), "btRTextMittelpunkt");
    v->addWidget(mRundtext);
    v->addWidget(cbRTextRichtung);
    v->addWidget(btRTextMittelpunkt);
    mRundtext->installEventFilter(this);
    connect(mRundtext, &QPlainTextEdit::textChanged, this, [this] { memoChanged(mRundtext); });
    connect(cbRTextRichtung, &QCheckBox::clicked, this, [this](bool on) { seDrehung->setValue(on ? 180 : 0); });
    connect(btRTextMittelpunkt, &QPushButton::clicked, this, &TRollUpContainer::centreRoundText);
}

void TRollUpContainer::buildApply()
{
    rZuweisen = named(new QWidget(rObjektContainer), "rZuweisen");
    auto *h = new QHBoxLayout(rZuweisen);
    btZuweisen = named(new QPushButton(rZuweisen), "btZuweisen");
    h->addWidget(btZuweisen);
    connect(btZuweisen, &QPushButton::clicked, this, [this] {
        if (m_page)
            m_page->Repaint();
    });
}

void TRollUpContainer::buildColors()
{
    rColorPanel = named(new QWidget(this), "rColorPanel");
    auto *v = new QVBoxLayout(rColorPanel);
    v->setContentsMargins(2, 2, 2, 2);
    // Pen and fill one above the other: long captions widen the panel
    // less than side by side.
    auto *top = new QHBoxLayout;
    auto *targets = new QVBoxLayout;
    targets->setSpacing(1);
    sbStift = named(new QToolButton(rColorPanel), "sbStift");
    sbFuellung = named(new QToolButton(rColorPanel), "sbFuellung");
    auto *target = new QButtonGroup(rColorPanel);
    for (QToolButton *b : {sbStift, sbFuellung}) {
        b->setCheckable(true);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        targets->addWidget(b);
    }
    target->addButton(sbStift, 0);
    target->addButton(sbFuellung, 1);
    sbStift->setChecked(true);
    ActiveColor = named(new TColorSwatch(rColorPanel), "ActiveColor");
    top->addLayout(targets, 1);
    top->addWidget(ActiveColor);
    v->addLayout(top);
    // The cells stay where they are: a click where a colour was takes it.
    ColorGrid = named(new TColorGrid(rColorPanel), "ColorGrid");
    ColorGrid->setFixedSize(ColorGrid->sizeHint());
    v->addWidget(ColorGrid);
    auto *rgb = new QHBoxLayout;
    seR = spin(rColorPanel, "seR", 0, 255, 0);
    seG = spin(rColorPanel, "seG", 0, 255, 0);
    seB = spin(rColorPanel, "seB", 0, 255, 0);
    const QString names[] = {QStringLiteral("R"), QStringLiteral("G"), QStringLiteral("B")};
    QSpinBox *spins[] = {seR, seG, seB};
    for (int k = 0; k < 3; ++k) {
        rgb->addWidget(new QLabel(names[k], rColorPanel));
        rgb->addWidget(spins[k]);
        spins[k]->installEventFilter(this);
        connect(spins[k], &QSpinBox::valueChanged, this, &TRollUpContainer::componentChanged);
    }
    v->addLayout(rgb);
    cbOhneFuellung = named(new QCheckBox(rColorPanel), "cbOhneFuellung");
    // Its room stays when it hides, so nothing above it moves.
    QSizePolicy keep = cbOhneFuellung->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    cbOhneFuellung->setSizePolicy(keep);
    v->addWidget(cbOhneFuellung);
    cbOhneFuellung->hide();

    connect(target, &QButtonGroup::idClicked, this, [this](int id) { colorTargetClicked(id == 1); });
    connect(ColorGrid, &TColorGrid::cellSelected, this, &TRollUpContainer::cellSelected);
    connect(cbOhneFuellung, &QCheckBox::clicked, this, [this](bool on) {
        if (!m_frame)
            return;
        takeSnapshot(int(TUndoKind::Properties));
        m_frame->NoFill = on;
        changed(true);
    });
}

void TRollUpContainer::sizeColorPanel()
{
    rColorPanel->setMinimumSize(0, 0);
    rColorPanel->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    rColorPanel->setFixedSize(rColorPanel->layout()->totalSizeHint());
}

QSize TRollUpContainer::ColorPanelSize() const { return rColorPanel->size(); }

void TRollUpContainer::buildCoords()
{
    rCoordsPanel = named(new QWidget(this), "rCoordsPanel");
    const char *panels[] = {"rPositionXY", "rPositionDim", "rPositionX1Y1", "rPositionX2Y2"};
    const char *edits[] = {"edX", "edY", "edWidth", "edHeight", "edX1", "edY1", "edX2", "edY2"};
    QWidget *built[4];
    QLineEdit *eds[8];
    for (int p = 0; p < 4; ++p) {
        built[p] = named(new QWidget(rCoordsPanel), panels[p]);
        auto *g = new QGridLayout(built[p]);
        g->setContentsMargins(4, 2, 4, 2);
        g->setVerticalSpacing(2);
        for (int k = 0; k < 2; ++k) {
            const int i = 2 * p + k;
            m_coordLabels[i] = new QLabel(built[p]);
            eds[i] = named(new QLineEdit(built[p]), edits[i]);
            eds[i]->setFixedWidth(80);
            m_unitLabels[i] = new QLabel(built[p]);
            g->addWidget(m_coordLabels[i], k, 0);
            g->addWidget(eds[i], k, 1);
            g->addWidget(m_unitLabels[i], k, 2);
            eds[i]->installEventFilter(this);
            QLineEdit *ed = eds[i];
            connect(ed, &QLineEdit::textEdited, this, [this, ed](const QString &t) { coordEdited(ed, t); });
            // What was typed and refused must not stay as if it were the frame's.
            connect(ed, &QLineEdit::editingFinished, this, &TRollUpContainer::ShowCoordinates);
        }
        g->setColumnStretch(2, 1);
        built[p]->hide();
    }
    rPositionXY = built[0];
    rPositionDim = built[1];
    rPositionX1Y1 = built[2];
    rPositionX2Y2 = built[3];
    edX = eds[0];
    edY = eds[1];
    edWidth = eds[2];
    edHeight = eds[3];
    edX1 = eds[4];
    edY1 = eds[5];
    edX2 = eds[6];
    edY2 = eds[7];
}

void TRollUpContainer::SetupStrings()
{
    rSerNo->setTitle(GetText(1000));
    rbWerteliste->setText(GetText(1001));
    rbFortlaufend->setText(GetText(1002));
    lblStartwert->setText(GetText(1015));
    lblFormat->setText(GetText(1016));
    sbSerNoLaden->setToolTip(GetText(227));
    rVerzeichnis->setTitle(GetText(1022));
    rSchriftart->setTitle(GetText(1003));
    lblFontSize->setText(GetText(1004));
    lblPts->setText(GetText(1005));
    cbBarcode->setText(GetText(1020));
    const std::pair<QToolButton *, int> tips[] = {
        {sbFontBold, 220}, {sbFontItalic, 221}, {sbFontStroke, 222},  {sbLeft, 223},   {sbCenter, 224}, {sbRight, 225},
        {sbBlock, 226},    {sbRotateLeft, 241}, {sbRotateRight, 242}, {sbMirror, 243}, {sbFlip, 244},
    };
    for (const auto &[b, n] : tips)
        b->setToolTip(GetText(n));
    rStift->setTitle(GetText(1006));
    cbOhneStift->setText(GetText(1007));
    rDrehung->setTitle(GetText(1009));
    lblGrad->setText(GetText(1010));
    rImageRotate->setTitle(GetText(1021));
    rText->setTitle(GetText(1011));
    rRundtext->setTitle(GetText(1012));
    cbRTextRichtung->setText(GetText(1013));
    btRTextMittelpunkt->setText(GetText(5));
    btZuweisen->setText(GetText(6));
    sbStift->setText(GetText(1017));
    sbFuellung->setText(GetText(1018));
    cbOhneFuellung->setText(GetText(1014));
    const int coordTexts[8] = {1034, 1035, 1040, 1041, 1036, 1037, 1038, 1039};
    for (int i = 0; i < 8; ++i)
        m_coordLabels[i]->setText(GetText(coordTexts[i]));
    ReSetCoordCaption();
    // Captions change the panels' sizes: they grow to show them whole.
    sizeColorPanel();
    m_objectWidth = PanelWidth;
    const QWidget *objectPanels[] = {rSerNo,       rVerzeichnis, rSchriftart, rStift,   rDrehung,
                                     rImageRotate, rText,        rRundtext,   rZuweisen};
    for (const QWidget *w : objectPanels)
        m_objectWidth = std::max(m_objectWidth, w->minimumSizeHint().width());
    if (!m_shownPanels)
        return;
    if (m_shownPanels & TPanel::ColorPanel)
        m_host.SetColorContent(rColorPanel);
    arrangeObjectPanels();
    if (m_frame)
        arrangeCoords(m_frame);
}

void TRollUpContainer::ReSetCoordCaption()
{
    const QString unit = GetText(UnitDivisor() == 10 ? 1344 : 1345);
    for (QLabel *l : m_unitLabels)
        l->setText(unit);
    // One width for the four, enough for the longest caption.
    QWidget *parts[] = {rPositionXY, rPositionDim, rPositionX1Y1, rPositionX2Y2};
    int width = PanelWidth - 40;
    for (QWidget *w : parts)
        width = std::max(width, w->layout()->totalMinimumSize().width());
    for (QWidget *w : parts)
        w->setFixedSize(width, w->layout()->totalSizeHint().height());
}

QSize TRollUpContainer::CoordsPanelSize() const
{
    return {rPositionXY->width(), rPositionXY->height() + rPositionDim->height() + 1};
}
