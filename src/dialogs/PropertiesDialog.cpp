#include "PropertiesDialog.h"

#include "Document.h"
#include "KeyboardOrder.h"
#include "Strings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

template <class T> T *Named(QWidget *parent, const QString &name)
{
    auto *w = new T(parent);
    w->setObjectName(name);
    return w;
}

QString Name(const char *stem, const char *suffix) { return QLatin1String(stem) + QLatin1String(suffix); }

constexpr TColor White = RGBColor(255, 255, 255);
bool IsWhite(TColor c) { return (c & 0xFFFFFF) == White; }
// Below two model units the grid's points would merge into a surface.
constexpr int32_t MinSpacing = 2;
constexpr int32_t MaxSpacing = 10000;
constexpr int PageTexts[] = {707, 708, 709};
constexpr int BackColorPage = 0, PaperColorPage = 1;

} // namespace

TPropWnd::TPropWnd(QWidget *parent) : QDialog(parent), Services(TDialogServices::Standard(this))
{
    setObjectName(QStringLiteral("PropWnd"));
    build();
    SetupStrings();
}

void TPropWnd::build()
{
    PageControl = Named<QTabWidget>(this, QStringLiteral("PageControl"));
    auto *grid = Named<QWidget>(PageControl, QStringLiteral("tsGrid"));
    auto *background = Named<QWidget>(PageControl, QStringLiteral("tsBackground"));
    new QVBoxLayout(grid);
    new QVBoxLayout(background);
    const char *const suffixes[] = {"", "Front", "Back"};
    const char *const shortNames[] = {"CDL", "Front", "Back"};
    for (int i = 0; i < 3; ++i) {
        buildGrid(grid, i, suffixes[i]);
        buildBackground(background, i, suffixes[i], shortNames[i]);
    }
    static_cast<QVBoxLayout *>(grid->layout())->addStretch();
    static_cast<QVBoxLayout *>(background->layout())->addStretch();
    PageControl->addTab(grid, QString());
    PageControl->addTab(background, QString());
    // The reading order stops at the tab widget: each page is ordered by itself.
    LinkLabelsAndTabOrder(grid);
    LinkLabelsAndTabOrder(background);

    bOK = Named<QPushButton>(this, QStringLiteral("bOK"));
    bOK->setDefault(true);
    bCancel = Named<QPushButton>(this, QStringLiteral("bCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bOK);
    buttons->addWidget(bCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(buttons);
    connect(bOK, &QPushButton::clicked, this, &TPropWnd::bOKClick);
    connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TPropWnd::buildGrid(QWidget *tab, int page, const char *suffix)
{
    TPageControls &c = m_pages[page];
    c.Grid = Named<QGroupBox>(tab, Name("gbGrid", suffix));
    c.Spacing = Named<QLabel>(c.Grid, Name("lbSpacing", suffix));
    c.Horizontal = Named<QLabel>(c.Grid, Name("lbHorizontal", suffix));
    c.Vertical = Named<QLabel>(c.Grid, Name("lbVertical", suffix));
    c.UnitX = Named<QLabel>(c.Grid, Name("lbUnitX", suffix));
    c.UnitY = Named<QLabel>(c.Grid, Name("lbUnitY", suffix));
    c.SnapX = Named<QLineEdit>(c.Grid, Name("edSnapXD", suffix));
    c.SnapY = Named<QLineEdit>(c.Grid, Name("edSnapYD", suffix));
    c.ShowSnap = Named<QCheckBox>(c.Grid, Name("cbShowSnap", suffix));
    c.SnapEnable = Named<QCheckBox>(c.Grid, Name("cbSnapEnable", suffix));
    auto *l = new QGridLayout(c.Grid);
    l->addWidget(c.Spacing, 0, 0);
    l->addWidget(c.Horizontal, 0, 1);
    l->addWidget(c.SnapX, 0, 2);
    l->addWidget(c.UnitX, 0, 3);
    l->addWidget(c.ShowSnap, 0, 4);
    l->addWidget(c.Vertical, 1, 1);
    l->addWidget(c.SnapY, 1, 2);
    l->addWidget(c.UnitY, 1, 3);
    l->addWidget(c.SnapEnable, 1, 4);
    for (QLineEdit *e : {c.SnapX, c.SnapY})
        e->setMaxLength(8);
    connect(c.SnapX, &QLineEdit::textEdited, this, [&c] { c.ChangedX = true; });
    connect(c.SnapY, &QLineEdit::textEdited, this, [&c] { c.ChangedY = true; });
    tab->layout()->addWidget(c.Grid);
}

void TPropWnd::buildBackground(QWidget *tab, int page, const char *suffix, const char *shortName)
{
    TPageControls &c = m_pages[page];
    c.Background = Named<QGroupBox>(tab, Name("gbBackground", suffix));
    c.None = Named<QRadioButton>(c.Background, Name("rb", shortName) + QLatin1String("None"));
    c.Back = Named<QRadioButton>(c.Background, Name("rb", shortName) + QLatin1String("Back"));
    c.Notebook = Named<QStackedWidget>(c.Background, Name("nb", shortName));
    auto *backPage = Named<QWidget>(c.Notebook, QStringLiteral("BackColor"));
    c.Change = Named<QPushButton>(backPage, Name("bChange", shortName));
    c.ActiveColor = new TColorField(backPage);
    c.ActiveColor->setObjectName(Name("pbActiveColor", shortName));
    auto *bl = new QHBoxLayout(backPage);
    bl->addWidget(c.Change);
    bl->addWidget(c.ActiveColor);
    bl->addStretch();
    c.Notebook->addWidget(backPage);
    auto *radios = new QVBoxLayout;
    radios->addWidget(c.None);
    radios->addWidget(c.Back);
    if (page == 0) {
        c.Paper = Named<QRadioButton>(c.Background, QStringLiteral("rbCDLPaper"));
        radios->addWidget(c.Paper);
        auto *paperPage = Named<QWidget>(c.Notebook, QStringLiteral("PaperColor"));
        cbPaperColor = Named<QComboBox>(paperPage, QStringLiteral("cbPaperColor"));
        pbPaperColor = new TColorField(paperPage);
        pbPaperColor->setObjectName(QStringLiteral("pbPaperColor"));
        auto *pl = new QHBoxLayout(paperPage);
        pl->addWidget(cbPaperColor);
        pl->addWidget(pbPaperColor);
        pl->addStretch();
        c.Notebook->addWidget(paperPage);
        connect(cbPaperColor, &QComboBox::currentIndexChanged, this, [this](int i) {
            if (i < 0 || i >= PaperColorCount)
                return;
            m_paperIndex = i;
            pbPaperColor->SetColor(PaperColors[i].Color);
        });
        connect(c.Paper, &QRadioButton::toggled, this, [this] { showNotebook(0); });
    }
    for (QRadioButton *r : {c.None, c.Back})
        connect(r, &QRadioButton::toggled, this, [this, page] { showNotebook(page); });
    connect(c.Change, &QPushButton::clicked, this, [this, &c] {
        if (const std::optional<TColor> chosen = Services.ChooseColor(c.ActiveColor->Color()))
            c.ActiveColor->SetColor(*chosen);
    });
    auto *l = new QHBoxLayout(c.Background);
    l->addLayout(radios);
    l->addWidget(c.Notebook, 1);
    tab->layout()->addWidget(c.Background);
}

void TPropWnd::showNotebook(int page)
{
    const TPageControls &c = m_pages[page];
    // Hidden but keeping its place, so the window does not jump.
    QSizePolicy keep = c.Notebook->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    c.Notebook->setSizePolicy(keep);
    c.Notebook->setVisible(!c.None->isChecked());
    c.Notebook->setCurrentIndex(c.Paper && c.Paper->isChecked() ? PaperColorPage : BackColorPage);
}

void TPropWnd::SetupStrings()
{
    setWindowTitle(GetText(1400));
    PageControl->setTabText(0, GetText(1401));
    PageControl->setTabText(1, GetText(1407));
    const QString unit = GetText(IsInch(UnitCode()) ? 1345 : 1344);
    for (int i = 0; i < 3; ++i) {
        TPageControls &c = m_pages[i];
        c.Grid->setTitle(GetText(PageTexts[i]));
        c.Background->setTitle(GetText(PageTexts[i]));
        c.Spacing->setText(GetText(1402));
        c.Horizontal->setText(GetText(1403));
        c.Vertical->setText(GetText(1404));
        c.UnitX->setText(unit);
        c.UnitY->setText(unit);
        c.ShowSnap->setText(GetText(1405));
        c.SnapEnable->setText(GetText(1406));
        c.None->setText(GetText(1408));
        c.Back->setText(GetText(1409));
        c.Change->setText(GetText(8));
    }
    m_pages[0].Paper->setText(GetText(1410));
    const QSignalBlocker block(cbPaperColor);
    cbPaperColor->clear();
    for (const TPaperColor &p : PaperColors)
        cbPaperColor->addItem(GetText(p.TextNumber));
    cbPaperColor->setCurrentIndex(m_paperIndex);
    bOK->setText(GetText(0));
    bCancel->setText(GetText(1));
}

void TPropWnd::Fill(const TCDLDocument &d)
{
    // The unit may have changed since the window was made.
    SetupStrings();
    const TCDLabel &label = d.Label();
    const bool paper = label.PaperColorIndex >= 0 && label.PaperColorIndex < PaperColorCount;
    m_paperIndex = paper ? label.PaperColorIndex : 0;
    cbPaperColor->setCurrentIndex(m_paperIndex);
    pbPaperColor->SetColor(PaperColors[m_paperIndex].Color);
    for (int i = 0; i < 3; ++i) {
        const TCDLPage &p = d.Page(TPageKind(i));
        TPageControls &c = m_pages[i];
        c.ActiveColor->SetColor(p.BackColor);
        if (i == 0 && paper)
            c.Paper->setChecked(true);
        else
            (IsWhite(p.BackColor) ? c.None : c.Back)->setChecked(true);
        showNotebook(i);
        c.ShowSnap->setChecked(p.ShowSnapPoints);
        c.SnapEnable->setChecked(p.SnapEnabled);
        c.ShownX = p.SnapX;
        c.ShownY = p.SnapY;
        c.SnapX->setText(FormatUnitValue(p.SnapX));
        c.SnapY->setText(FormatUnitValue(p.SnapY));
        c.ChangedX = c.ChangedY = false;
    }
    PageControl->setCurrentIndex(0);
}

int32_t TPropWnd::spacing(const QLineEdit *field, bool changed, int32_t old)
{
    if (!changed)
        return old;
    const std::optional<int32_t> v = ParseUnitValue(field->text(), UnitCode(), MaxSpacing);
    return v ? std::max(*v, MinSpacing) : old;
}

bool TPropWnd::checkSpacing(QLineEdit *field)
{
    if (ParseUnitValue(field->text(), UnitCode(), MaxSpacing))
        return true;
    Services.Error(GetText(1327).arg(field->text().trimmed()));
    PageControl->setCurrentIndex(0);
    field->setFocus();
    field->selectAll();
    return false;
}

void TPropWnd::bOKClick()
{
    for (const TPageControls &c : m_pages)
        if ((c.ChangedX && !checkSpacing(c.SnapX)) || (c.ChangedY && !checkSpacing(c.SnapY)))
            return;
    accept();
}

bool TPropWnd::WriteBack(TCDLDocument &d) const
{
    bool any = false;
    for (int i = 0; i < 3; ++i) {
        TCDLPage &p = d.Page(TPageKind(i));
        const TPageControls &c = m_pages[i];
        TColor back = c.None->isChecked() ? White : c.ActiveColor->Color();
        int32_t paper = -1;
        if (c.Paper && c.Paper->isChecked()) {
            back = PaperColors[m_paperIndex].Color;
            paper = m_paperIndex;
        }
        const int32_t x = spacing(c.SnapX, c.ChangedX, c.ShownX);
        const int32_t y = spacing(c.SnapY, c.ChangedY, c.ShownY);
        int32_t *const paperField = i == 0 ? &static_cast<TCDLabel &>(p).PaperColorIndex : nullptr;
        const bool changed = p.BackColor != back || (paperField && *paperField != paper) || p.SnapX != x || p.SnapY != y
                             || p.ShowSnapPoints != c.ShowSnap->isChecked()
                             || p.SnapEnabled != c.SnapEnable->isChecked();
        if (!changed)
            continue;
        p.BackColor = back;
        if (paperField)
            *paperField = paper;
        p.SnapX = x;
        p.SnapY = y;
        p.ShowSnapPoints = c.ShowSnap->isChecked();
        p.SnapEnabled = c.SnapEnable->isChecked();
        p.Modified = true;
        any = true;
    }
    return any;
}

bool TPropWnd::Execute(TCDLDocument &d)
{
    Fill(d);
    return exec() == QDialog::Accepted && WriteBack(d);
}
