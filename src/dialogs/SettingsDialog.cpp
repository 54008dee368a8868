#include "SettingsDialog.h"

#include "KeyboardOrder.h"
#include "Strings.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <class T> T *Named(QWidget *parent, const char *name)
{
    auto *w = new T(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

TColorField *Swatch(QWidget *parent, const char *name)
{
    auto *w = new TColorField(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

constexpr int MaxStepChars = 6;

} // namespace

TFSettings::TFSettings(QWidget *parent) : QDialog(parent), Services(TDialogServices::Standard(this))
{
    setObjectName(QStringLiteral("FSettings"));
    build();
    SetupStrings();
}

void TFSettings::build()
{
    PageControl = Named<QTabWidget>(this, "PageControl");

    auto *display = Named<QWidget>(PageControl, "tsDisplay");
    cbGridInFront = Named<QCheckBox>(display, "cbGridInFront");
    cbOpenWithPreview = Named<QCheckBox>(display, "cbOpenWithPreview");
    gbUnit = Named<QGroupBox>(display, "gbUnit");
    rbMM = Named<QRadioButton>(gbUnit, "rbMM");
    rbInch = Named<QRadioButton>(gbUnit, "rbInch");
    auto *units = new QHBoxLayout(gbUnit);
    units->addWidget(rbMM);
    units->addWidget(rbInch);
    units->addStretch();

    auto *colors = new QGridLayout;
    lbGridColor = Named<QLabel>(display, "lbGridColor");
    lbHLineColor = Named<QLabel>(display, "lbHLineColor");
    pbGridColor = Swatch(display, "pbGridColor");
    pbHLineColor = Swatch(display, "pbHLineColor");
    bSelectGridColor = Named<QPushButton>(display, "bSelectGridColor");
    bSelectHLineColor = Named<QPushButton>(display, "bSelectHLineColor");
    colors->addWidget(lbGridColor, 0, 0);
    colors->addWidget(pbGridColor, 0, 1);
    colors->addWidget(bSelectGridColor, 0, 2);
    colors->addWidget(lbHLineColor, 1, 0);
    colors->addWidget(pbHLineColor, 1, 1);
    colors->addWidget(bSelectHLineColor, 1, 2);

    gbSteps = Named<QGroupBox>(display, "gbSteps");
    lbCursorX = Named<QLabel>(gbSteps, "lbCursorX");
    lbCursorY = Named<QLabel>(gbSteps, "lbCursorY");
    lbUnitX = Named<QLabel>(gbSteps, "lbUnitX");
    lbUnitY = Named<QLabel>(gbSteps, "lbUnitY");
    edCursor[0] = Named<QLineEdit>(gbSteps, "edCursorX");
    edCursor[1] = Named<QLineEdit>(gbSteps, "edCursorY");
    auto *steps = new QGridLayout(gbSteps);
    QLabel *const captions[] = {lbCursorX, lbCursorY};
    QLabel *const unitNames[] = {lbUnitX, lbUnitY};
    for (int i = 0; i < 2; ++i) {
        edCursor[i]->setMaxLength(MaxStepChars);
        steps->addWidget(captions[i], i, 0);
        steps->addWidget(edCursor[i], i, 1);
        steps->addWidget(unitNames[i], i, 2);
        connect(edCursor[i], &QLineEdit::textEdited, this, [this, i] { m_stepChanged[i] = true; });
    }

    auto *displayLayout = new QVBoxLayout(display);
    displayLayout->addWidget(cbGridInFront);
    displayLayout->addWidget(cbOpenWithPreview);
    displayLayout->addWidget(gbUnit);
    displayLayout->addLayout(colors);
    displayLayout->addWidget(gbSteps);
    displayLayout->addStretch();

    auto *folders = Named<QWidget>(PageControl, "tsFolders");
    auto *folderLayout = new QGridLayout(folders);
    lbCDL = Named<QLabel>(folders, "lbCDL");
    lbPics = Named<QLabel>(folders, "lbPics");
    lbSelection = Named<QLabel>(folders, "lbSelection");
    lbSerNo = Named<QLabel>(folders, "lbSerNo");
    edCDLDir = Named<QLineEdit>(folders, "edCDLDir");
    edPicsDir = Named<QLineEdit>(folders, "edPicsDir");
    edSelectionDir = Named<QLineEdit>(folders, "edSelectionDir");
    edSerNoDir = Named<QLineEdit>(folders, "edSerNoDir");
    sbBrowseCDL = Named<QToolButton>(folders, "sbBrowseCDL");
    sbBrowsePic = Named<QToolButton>(folders, "sbBrowsePic");
    sbBrowseCDS = Named<QToolButton>(folders, "sbBrowseCDS");
    sbBrowseSNO = Named<QToolButton>(folders, "sbBrowseSNO");
    const struct
    {
        QLabel *label;
        QLineEdit *field;
        QToolButton *browse;
    } rows[] = {{lbCDL, edCDLDir, sbBrowseCDL},
                {lbPics, edPicsDir, sbBrowsePic},
                {lbSelection, edSelectionDir, sbBrowseCDS},
                {lbSerNo, edSerNoDir, sbBrowseSNO}};
    int row = 0;
    for (const auto &r : rows) {
        r.field->setMinimumWidth(300);
        r.browse->setText(QStringLiteral("..."));
        folderLayout->addWidget(r.label, row, 0);
        folderLayout->addWidget(r.field, row, 1);
        folderLayout->addWidget(r.browse, row, 2);
        connect(r.browse, &QToolButton::clicked, this, [this, f = r.field] { browse(f); });
        ++row;
    }
    folderLayout->setRowStretch(row, 1);

    PageControl->addTab(display, QString());
    PageControl->addTab(folders, QString());
    // The reading order stops at the tab widget: each page is ordered by itself.
    LinkLabelsAndTabOrder(display);
    LinkLabelsAndTabOrder(folders);

    bOK = Named<QPushButton>(this, "bOK");
    bOK->setDefault(true);
    bCancel = Named<QPushButton>(this, "bCancel");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bOK);
    buttons->addWidget(bCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(buttons);

    connect(rbMM, &QRadioButton::toggled, this, &TFSettings::rbMMClick);
    connect(bSelectGridColor, &QPushButton::clicked, this, [this] { chooseColor(pbGridColor); });
    connect(bSelectHLineColor, &QPushButton::clicked, this, [this] { chooseColor(pbHLineColor); });
    connect(bOK, &QPushButton::clicked, this, &TFSettings::bOKClick);
    connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFSettings::SetupStrings()
{
    setWindowTitle(GetText(1320));
    PageControl->setTabText(0, GetText(1340));
    PageControl->setTabText(1, GetText(1321));
    lbCDL->setText(GetText(1322));
    lbPics->setText(GetText(1323));
    lbSelection->setText(GetText(1324));
    lbSerNo->setText(GetText(1325));
    cbGridInFront->setText(GetText(1341));
    cbOpenWithPreview->setText(GetText(1342));
    gbUnit->setTitle(GetText(1343));
    rbMM->setText(GetText(1344));
    rbInch->setText(GetText(1345));
    lbGridColor->setText(GetText(1346));
    lbHLineColor->setText(GetText(1347));
    bSelectGridColor->setText(GetText(8));
    bSelectHLineColor->setText(GetText(8));
    gbSteps->setTitle(GetText(1348));
    lbCursorX->setText(GetText(1349));
    lbCursorY->setText(GetText(1350));
    showUnitNames();
    bOK->setText(GetText(0));
    bCancel->setText(GetText(1));
}

void TFSettings::showUnitNames()
{
    const QString name = GetText(rbInch->isChecked() ? 1345 : 1344);
    lbUnitX->setText(name);
    lbUnitY->setText(name);
}

void TFSettings::FormShow(const TSettings &s)
{
    m_result = s;
    edCDLDir->setText(s.CdlDir);
    edPicsDir->setText(s.ImageDir);
    edSelectionDir->setText(s.SelectionDir);
    edSerNoDir->setText(s.SerialNumberDir);
    cbGridInFront->setChecked(s.GridInFront);
    cbOpenWithPreview->setChecked(s.OpenWithPreview);
    pbGridColor->SetColor(s.GridColor);
    pbHLineColor->SetColor(s.SnapLineColor);
    m_shownCode = IsInch(s.ScaleValue) ? UnitCodeInch : UnitCodeMillimetre;
    m_steps[0] = s.MoveCursorX;
    m_steps[1] = s.MoveCursorY;
    {
        const QSignalBlocker block(rbMM);
        (IsInch(m_shownCode) ? rbInch : rbMM)->setChecked(true);
    }
    showUnitNames();
    for (int i = 0; i < 2; ++i) {
        edCursor[i]->setText(FormatUnitValue(m_steps[i], m_shownCode));
        m_stepChanged[i] = false;
    }
    PageControl->setCurrentIndex(0);
}

bool TFSettings::Execute(TSettings &s)
{
    FormShow(s);
    if (exec() != QDialog::Accepted)
        return false;
    s = m_result;
    return true;
}

void TFSettings::browse(QLineEdit *field)
{
    const QString chosen = Services.ChooseFolder(field->text());
    if (!chosen.isEmpty())
        field->setText(QDir::toNativeSeparators(chosen));
}

void TFSettings::chooseColor(TColorField *swatch)
{
    if (const std::optional<TColor> c = Services.ChooseColor(swatch->Color()))
        swatch->SetColor(*c);
}

bool TFSettings::readStep(int i)
{
    if (!m_stepChanged[i])
        return true;
    const std::optional<int32_t> v = ParseUnitValue(edCursor[i]->text(), m_shownCode);
    if (v && ValidCursorStep(*v)) {
        m_steps[i] = *v;
        return true;
    }
    Services.Error(GetText(1327).arg(edCursor[i]->text().trimmed()));
    edCursor[i]->setText(FormatUnitValue(m_steps[i], m_shownCode));
    m_stepChanged[i] = false;
    edCursor[i]->setFocus();
    return false;
}

void TFSettings::rbMMClick()
{
    showUnitNames();
    const int chosen = rbInch->isChecked() ? UnitCodeInch : UnitCodeMillimetre;
    if (chosen == m_shownCode)
        return;
    // A step typed in the old unit is carried over before the fields change unit.
    for (int i = 0; i < 2; ++i)
        readStep(i);
    m_shownCode = chosen;
    for (int i = 0; i < 2; ++i) {
        edCursor[i]->setText(FormatUnitValue(m_steps[i], m_shownCode));
        m_stepChanged[i] = false;
    }
}

bool TFSettings::checkFolder(QLineEdit *field)
{
    const QString path = QDir::cleanPath(QDir::current().absoluteFilePath(field->text().trimmed()));
    if (QFileInfo(path).isDir())
        return true;
    PageControl->setCurrentIndex(1);
    field->setFocus();
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo::exists(path)) {
        if (!Services.AskYesNo(GetText(1328).arg(shown)))
            return false;
        if (QDir().mkpath(path))
            return true;
    }
    Services.Error(GetText(1329).arg(shown));
    return false;
}

void TFSettings::bOKClick()
{
    // Nothing is taken until every field holds what it may hold.
    for (int i = 0; i < 2; ++i) {
        if (!readStep(i)) {
            PageControl->setCurrentIndex(0);
            return;
        }
    }
    for (QLineEdit *f : {edCDLDir, edPicsDir, edSelectionDir, edSerNoDir})
        if (!checkFolder(f))
            return;
    TSettings &s = m_result;
    const auto folder = [](const QLineEdit *f) {
        return QDir::cleanPath(QDir::current().absoluteFilePath(f->text().trimmed()));
    };
    s.CdlDir = folder(edCDLDir);
    s.ImageDir = folder(edPicsDir);
    s.SelectionDir = folder(edSelectionDir);
    s.SerialNumberDir = folder(edSerNoDir);
    s.GridColor = pbGridColor->Color();
    s.SnapLineColor = pbHLineColor->Color();
    s.GridInFront = cbGridInFront->isChecked();
    s.OpenWithPreview = cbOpenWithPreview->isChecked();
    s.ScaleValue = m_shownCode;
    s.ScaleString = GetText(IsInch(m_shownCode) ? 1345 : 1344);
    s.MoveCursorX = m_steps[0];
    s.MoveCursorY = m_steps[1];
    accept();
}
