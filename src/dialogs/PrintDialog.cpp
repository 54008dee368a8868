#include "PrintDialog.h"

#include "CalibrationDialog.h"
#include "KeyboardOrder.h"
#include "PrintTarget.h"
#include "PrintingWindow.h"
#include "ScreenFit.h"
#include "Settings.h"
#include "SheetPicture.h"
#include "Strings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

constexpr int PdfEntryRole = Qt::UserRole + 1;
// NotebookWie's pages.
constexpr int PageSelection = 0;
constexpr int PageDocuments = 1;

namespace Text {
constexpr int PdfFile = 1090;
constexpr int Sheets = 1095;
constexpr int NoPrinter = 1096;
} // namespace Text

template <class T> T *Named(QWidget *parent, const char *name)
{
    auto *w = new T(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

TDrucken::TDrucken(TPrintDialogHost &host, QWidget *parent)
    : QDialog(parent), m_host(host), m_access(TPrinterAccess::System())
{
    setObjectName(QStringLiteral("Drucken"));
    build();
    LinkLabelsAndTabOrder(this);
    m_progress = new TPrinting(this);
    SetupStrings();
    modeChanged();
}

TDrucken::~TDrucken() = default;

void TDrucken::build()
{
    // Printer
    GroupBox1 = Named<QGroupBox>(this, "GroupBox1");
    Label2 = Named<QLabel>(GroupBox1, "Label2");
    PrinterSelect = Named<QComboBox>(GroupBox1, "PrinterSelect");
    PrinterSelect->setMinimumContentsLength(28);
    btEigenschaften = Named<QPushButton>(GroupBox1, "btEigenschaften");
    lblKeinDrucker = Named<QLabel>(GroupBox1, "lblKeinDrucker");
    lblKeinDrucker->setWordWrap(true);
    auto *printerRow = new QGridLayout(GroupBox1);
    printerRow->addWidget(Label2, 0, 0);
    printerRow->addWidget(PrinterSelect, 0, 1);
    printerRow->addWidget(btEigenschaften, 0, 2);
    printerRow->addWidget(lblKeinDrucker, 1, 0, 1, 3);
    printerRow->setColumnStretch(1, 1);

    // Mode
    GroupBox4 = Named<QGroupBox>(this, "GroupBox4");
    Wie1 = Named<QRadioButton>(GroupBox4, "Wie1");
    Wie3 = Named<QRadioButton>(GroupBox4, "Wie3");
    Wie2 = Named<QRadioButton>(GroupBox4, "Wie2");
    auto *modes = new QVBoxLayout(GroupBox4);
    for (QRadioButton *r : {Wie1, Wie3, Wie2}) {
        modes->addWidget(r);
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                modeChanged();
        });
    }
    Wie1->setChecked(true);

    NotebookWie = Named<QStackedWidget>(this, "NotebookWie");

    // Mode 2: a document per place.
    auto *selection = new QWidget(NotebookWie);
    GroupBox2 = Named<QGroupBox>(selection, "GroupBox2");
    Was11 = Named<QRadioButton>(GroupBox2, "Was11");
    Was12 = Named<QRadioButton>(GroupBox2, "Was12");
    Was13 = Named<QRadioButton>(GroupBox2, "Was13");
    auto *was2 = new QVBoxLayout(GroupBox2);
    for (QRadioButton *r : {Was11, Was12, Was13})
        was2->addWidget(r);
    was2->addStretch();
    Was11->setChecked(true);
    NotebookWas = Named<QStackedWidget>(selection, "NotebookWas");
    auto placesPage = [&](std::initializer_list<std::pair<QComboBox **, const char *>> combos) {
        auto *page = new QWidget(NotebookWas);
        auto *grid = new QGridLayout(page);
        int row = 0;
        for (const auto &[cb, name] : combos) {
            *cb = Named<QComboBox>(page, name);
            (*cb)->setMinimumContentsLength(16);
            grid->addWidget(new QLabel(QString::number(row + 1), page), row, 0);
            grid->addWidget(*cb, row, 1);
            connect(*cb, &QComboBox::currentIndexChanged, this, &TDrucken::update);
            ++row;
        }
        grid->setRowStretch(row, 1);
        NotebookWas->addWidget(page);
    };
    placesPage({{&cb11, "cb11"}, {&cb12, "cb12"}, {&cb13, "cb13"}});
    placesPage({{&cb21, "cb21"}, {&cb22, "cb22"}});
    placesPage({{&cb31, "cb31"}, {&cb32, "cb32"}});
    pbBogen2 = Named<TSheetPicture>(selection, "pbBogen2");
    GroupBox3 = Named<QGroupBox>(selection, "GroupBox3");
    Label1 = Named<QLabel>(GroupBox3, "Label1");
    AnzahlSeiten = Named<QSpinBox>(GroupBox3, "AnzahlSeiten");
    AnzahlSeiten->setRange(1, 99);
    auto *sheets = new QHBoxLayout(GroupBox3);
    sheets->addWidget(Label1);
    sheets->addWidget(AnzahlSeiten);
    sheets->addStretch();
    auto *selectionLayout = new QGridLayout(selection);
    selectionLayout->setContentsMargins(0, 0, 0, 0);
    selectionLayout->addWidget(GroupBox2, 0, 0);
    selectionLayout->addWidget(NotebookWas, 0, 1);
    selectionLayout->addWidget(pbBogen2, 0, 2, 2, 1);
    selectionLayout->addWidget(GroupBox3, 1, 0, 1, 2);
    selectionLayout->setRowStretch(2, 1);
    NotebookWie->addWidget(selection);

    // Modes 1 and 3: what and how many of each document.
    auto *documents = new QWidget(NotebookWie);
    GroupBox7 = Named<QGroupBox>(documents, "GroupBox7");
    Was21 = Named<QRadioButton>(GroupBox7, "Was21");
    Was22 = Named<QRadioButton>(GroupBox7, "Was22");
    Was23 = Named<QRadioButton>(GroupBox7, "Was23");
    Was24 = Named<QRadioButton>(GroupBox7, "Was24");
    auto *was1 = new QVBoxLayout(GroupBox7);
    for (QRadioButton *r : {Was21, Was22, Was23, Was24})
        was1->addWidget(r);
    Was21->setChecked(true);
    Label3 = Named<QLabel>(GroupBox7, "Label3");
    Ab1 = Named<QRadioButton>(GroupBox7, "Ab1");
    Ab2 = Named<QRadioButton>(GroupBox7, "Ab2");
    Ab3 = Named<QRadioButton>(GroupBox7, "Ab3");
    auto *firstPlace = new QHBoxLayout;
    firstPlace->addWidget(Label3);
    auto *places = new QButtonGroup(GroupBox7);
    for (QRadioButton *r : {Ab1, Ab2, Ab3}) {
        places->addButton(r);
        firstPlace->addWidget(r);
        connect(r, &QRadioButton::toggled, this, &TDrucken::update);
    }
    Ab1->setText(QStringLiteral("1"));
    Ab2->setText(QStringLiteral("2"));
    Ab3->setText(QStringLiteral("3"));
    Ab1->setChecked(true);
    firstPlace->addStretch();
    was1->addLayout(firstPlace);
    pbBogen13 = Named<TSheetPicture>(documents, "pbBogen13");
    GroupBox8 = Named<QGroupBox>(documents, "GroupBox8");
    Label4 = Named<QLabel>(GroupBox8, "Label4");
    Label5 = Named<QLabel>(GroupBox8, "Label5");
    AnzahlEtiketten = Named<QSpinBox>(GroupBox8, "AnzahlEtiketten");
    AnzahlEtiketten->setRange(1, 1000);
    auto *count = new QGridLayout(GroupBox8);
    count->addWidget(Label4, 0, 0);
    count->addWidget(AnzahlEtiketten, 0, 1, 2, 1);
    count->addWidget(Label5, 1, 0);
    count->setColumnStretch(2, 1);
    auto *documentsLayout = new QGridLayout(documents);
    documentsLayout->setContentsMargins(0, 0, 0, 0);
    documentsLayout->addWidget(GroupBox7, 0, 0);
    documentsLayout->addWidget(pbBogen13, 0, 1, 2, 1);
    documentsLayout->addWidget(GroupBox8, 1, 0);
    documentsLayout->setRowStretch(2, 1);
    NotebookWie->addWidget(documents);
    NotebookWie->setCurrentIndex(PageDocuments);

    for (QRadioButton *r : {Was11, Was12, Was13, Was21, Was22, Was23, Was24})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                update();
        });
    for (QSpinBox *s : {AnzahlEtiketten, AnzahlSeiten})
        connect(s, &QSpinBox::valueChanged, this, &TDrucken::update);

    // Options
    gbClipTyp = Named<QGroupBox>(this, "gbClipTyp");
    cbDruckPara = Named<QComboBox>(gbClipTyp, "cbDruckPara");
    (new QVBoxLayout(gbClipTyp))->addWidget(cbDruckPara);
    gbSchnittmarken = Named<QGroupBox>(this, "gbSchnittmarken");
    cbSchnittmarken = Named<QCheckBox>(gbSchnittmarken, "cbSchnittmarken");
    cbSchnittmarken->setChecked(true);
    (new QVBoxLayout(gbSchnittmarken))->addWidget(cbSchnittmarken);
    connect(cbSchnittmarken, &QCheckBox::toggled, this, &TDrucken::update);
    connect(cbDruckPara, &QComboBox::currentIndexChanged, this, &TDrucken::update);
    lblBoegen = Named<QLabel>(this, "lblBoegen");

    bPrintPreview = Named<QPushButton>(this, "bPrintPreview");
    DruckerKalibrieren = Named<QPushButton>(this, "DruckerKalibrieren");
    connect(DruckerKalibrieren, &QPushButton::clicked, this, &TDrucken::DruckerKalibrierenClick);
    OK = Named<QPushButton>(this, "OK");
    OK->setDefault(true);
    Abbrechen = Named<QPushButton>(this, "Abbrechen");
    connect(OK, &QPushButton::clicked, this, &TDrucken::OKClick);
    connect(bPrintPreview, &QPushButton::clicked, this, &TDrucken::bPrintPreviewClick);
    connect(Abbrechen, &QPushButton::clicked, this, &QDialog::reject);
    connect(btEigenschaften, &QPushButton::clicked, this, &TDrucken::btEigenschaftenClick);
    connect(PrinterSelect, &QComboBox::currentIndexChanged, this, &TDrucken::update);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(bPrintPreview);
    buttons->addWidget(DruckerKalibrieren);
    buttons->addStretch();
    buttons->addWidget(OK);
    buttons->addWidget(Abbrechen);

    // Made in the dialog, so the choices keep their place in its focus chain.
    auto *body = new QWidget(this);
    auto *bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addWidget(GroupBox1);
    bodyLayout->addWidget(GroupBox4);
    bodyLayout->addWidget(NotebookWie);
    bodyLayout->addWidget(gbClipTyp);
    bodyLayout->addWidget(gbSchnittmarken);
    // Beside the choices: the sheet count, the buttons, margins and the
    // window's title bar.
    m_body = new TScreenFitArea(body, 8 * fontMetrics().height(), this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_body);
    layout->addWidget(lblBoegen);
    layout->addLayout(buttons);
    m_built = true;
}

void TDrucken::SetupStrings()
{
    setWindowTitle(GetText(700));
    GroupBox1->setTitle(GetText(701));
    Label2->setText(GetText(702));
    btEigenschaften->setText(GetText(3));
    lblKeinDrucker->setText(GetText(Text::NoPrinter));
    GroupBox4->setTitle(GetText(703));
    Wie1->setText(GetText(704));
    Wie3->setText(GetText(720));
    Wie2->setText(GetText(705));
    GroupBox7->setTitle(GetText(706));
    GroupBox2->setTitle(GetText(706));
    Was21->setText(GetText(707));
    Was22->setText(GetText(708));
    Was23->setText(GetText(709));
    Was24->setText(GetText(710));
    Was11->setText(GetText(707));
    Was12->setText(GetText(708));
    Was13->setText(GetText(709));
    Label3->setText(GetText(711));
    GroupBox8->setTitle(GetText(712));
    Label4->setText(GetText(713));
    Label5->setText(GetText(714));
    GroupBox3->setTitle(GetText(712));
    Label1->setText(GetText(715));
    gbClipTyp->setTitle(GetText(716));
    const int trim = cbDruckPara->currentIndex();
    cbDruckPara->clear();
    cbDruckPara->addItems({GetText(717), GetText(718), GetText(719)});
    cbDruckPara->setCurrentIndex(std::max(trim, 0));
    gbSchnittmarken->setTitle(GetText(721));
    cbSchnittmarken->setText(GetText(722));
    bPrintPreview->setText(GetText(12));
    OK->setText(GetText(0));
    Abbrechen->setText(GetText(1));
    DruckerKalibrieren->setText(GetText(4));
    if (PrinterSelect->count() > 0)
        PrinterSelect->setItemText(PrinterSelect->count() - 1, GetText(Text::PdfFile));
    m_progress->SetupStrings();
    update();
}

// ---- showing and hiding ----------------------------------------------------

void TDrucken::showEvent(QShowEvent *e)
{
    if (!m_shown) {
        m_shown = true;
        FormShow();
        // Shown for the first time: fitted to the screen with what it now shows.
        if (!m_fitted) {
            m_fitted = true;
            m_body->FitWindow();
        }
    }
    QDialog::showEvent(e);
}

void TDrucken::hideEvent(QHideEvent *e)
{
    if (m_shown && !e->spontaneous()) {
        m_shown = false;
        FormHide();
    }
    QDialog::hideEvent(e);
}

void TDrucken::FormShow()
{
    m_lost.clear();
    SetupStrings();
    const int trim = ReadPrintTrimMode();
    cbDruckPara->setCurrentIndex(trim >= 0 && trim < cbDruckPara->count() ? trim : 0);
    fillPrinters(false);
    fillDocumentLists();
    Ab1->setChecked(true);
    AnzahlEtiketten->setValue(1);
    AnzahlSeiten->setValue(1);
    update();
}

void TDrucken::FormHide()
{
    if (!WritePrintTrimMode(cbDruckPara->currentIndex()))
        m_host.ShowError(GetText(1100).arg(QDir::toNativeSeparators(SettingsFilePath())));
    m_documents.clear();
    m_active = nullptr;
    for (QComboBox *cb : {cb11, cb12, cb13, cb21, cb22, cb31, cb32})
        cb->clear();
}

void TDrucken::fillPrinters(bool keepChoice)
{
    // A queue that is gone gives way to the default queue.
    const QString before = keepChoice ? chosenQueue() : QString();
    const bool wasPdf = keepChoice && isPdfEntry();
    QSignalBlocker block(PrinterSelect);
    PrinterSelect->clear();
    const QStringList queues = m_access.Queues ? m_access.Queues() : QStringList();
    for (const QString &q : queues)
        PrinterSelect->addItem(q, q);
    PrinterSelect->addItem(GetText(Text::PdfFile), QString());
    PrinterSelect->setItemData(PrinterSelect->count() - 1, true, PdfEntryRole);
    int chosen = wasPdf ? PrinterSelect->count() - 1 : queues.indexOf(before);
    if (chosen < 0 && m_access.DefaultQueue)
        chosen = queues.indexOf(m_access.DefaultQueue());
    PrinterSelect->setCurrentIndex(chosen < 0 ? 0 : chosen);
    lblKeinDrucker->setVisible(queues.isEmpty());
}

void TDrucken::fillDocumentLists()
{
    m_documents = m_host.OpenDocuments();
    m_active = m_host.ActiveDocument();
    for (QComboBox *cb : {cb11, cb12, cb13, cb21, cb22, cb31, cb32}) {
        QSignalBlocker block(cb);
        cb->clear();
        cb->addItem(GetText(757), QVariant::fromValue<quintptr>(0));
        for (const TPrintDocument &d : m_documents)
            cb->addItem(d.Caption, QVariant::fromValue(quintptr(d.Document)));
    }
    const int n = int(m_documents.size());
    auto choose = [n](QComboBox *cb, int nth) { cb->setCurrentIndex(n >= nth ? nth : 0); };
    for (QComboBox *cb : {cb11, cb21, cb31})
        choose(cb, 1);
    for (QComboBox *cb : {cb12, cb22, cb32})
        choose(cb, 2);
    choose(cb13, 3);
}

void TDrucken::DocumentGone(TCDLDocument *document)
{
    if (!m_shown || !document)
        return;
    const auto it = std::find_if(m_documents.begin(), m_documents.end(),
                                 [&](const TPrintDocument &d) { return d.Document == document; });
    if (it == m_documents.end())
        return;
    const QString caption = it->Caption;
    m_documents.erase(it);
    bool chosen = m_active == document || mode() == TPrintMode::AllOpen;
    if (m_active == document)
        m_active = nullptr;
    for (QComboBox *cb : {cb11, cb12, cb13, cb21, cb22, cb31, cb32}) {
        const int i = cb->findData(QVariant::fromValue(quintptr(document)));
        if (i < 0)
            continue;
        QSignalBlocker block(cb);
        // Removing the chosen entry would choose a neighbour: fall back to "[none]".
        if (cb->currentIndex() == i) {
            chosen = true;
            cb->setCurrentIndex(0);
        }
        cb->removeItem(i);
    }
    if (chosen)
        m_lost.append(caption);
    update();
}

// ---- the controls' states --------------------------------------------------

TPrintMode TDrucken::mode() const
{
    return Wie2->isChecked() ? TPrintMode::Selection : Wie3->isChecked() ? TPrintMode::AllOpen : TPrintMode::Current;
}

TPrintWhat TDrucken::what() const
{
    if (mode() == TPrintMode::Selection)
        return Was12->isChecked()   ? TPrintWhat::InlayFront
               : Was13->isChecked() ? TPrintWhat::InlayBack
                                    : TPrintWhat::CDLabel;
    return Was22->isChecked()   ? TPrintWhat::InlayFront
           : Was23->isChecked() ? TPrintWhat::InlayBack
           : Was24->isChecked() ? TPrintWhat::FrontAndBack
                                : TPrintWhat::CDLabel;
}

void TDrucken::modeChanged()
{
    if (!m_built)
        return;
    NotebookWie->setCurrentIndex(Wie2->isChecked() ? PageSelection : PageDocuments);
    update();
}

bool TDrucken::isPdfEntry() const
{
    return PrinterSelect->currentIndex() >= 0 && PrinterSelect->currentData(PdfEntryRole).toBool();
}

QString TDrucken::chosenQueue() const { return isPdfEntry() ? QString() : PrinterSelect->currentData().toString(); }

QPageSize TDrucken::Paper() const
{
    const QString queue = chosenQueue();
    if (const auto it = m_papers.find(queue); it != m_papers.end())
        return *it;
    // Asking the print system on every change of a control would be slow.
    const QPageSize paper = m_access.DefaultPaper ? m_access.DefaultPaper(queue) : QPageSize(QPageSize::A4);
    m_papers.insert(queue, paper);
    return paper;
}

TCDLDocument *TDrucken::documentOf(const QComboBox *cb) const
{
    return reinterpret_cast<TCDLDocument *>(cb->currentData().value<quintptr>());
}

TPrintRequest TDrucken::Request() const
{
    TPrintRequest r;
    r.Mode = mode();
    r.What = what();
    r.Count = AnzahlEtiketten->value();
    r.FirstPlace = Ab3->isChecked() ? 3 : Ab2->isChecked() ? 2 : 1;
    r.Sheets = AnzahlSeiten->value();
    r.Active = m_active;
    for (const TPrintDocument &d : m_documents)
        r.Open.push_back(d.Document);
    r.CDPlaces = {documentOf(cb11), documentOf(cb12), documentOf(cb13)};
    r.FrontPlaces = {documentOf(cb21), documentOf(cb22)};
    r.BackPlaces = {documentOf(cb31), documentOf(cb32)};
    r.Trim = TRoundTrim(std::clamp(cbDruckPara->currentIndex(), 0, 2));
    r.CutMarks = cbSchnittmarken->isChecked();
    return r;
}

int TDrucken::SheetCount() const { return ::CountSheets(Request()); }

void TDrucken::update()
{
    if (!m_built)
        return;
    const TPrintMode m = mode();
    const TPrintWhat w = what();
    const bool cd = w == TPrintWhat::CDLabel;
    NotebookWas->setCurrentIndex(int(w) <= 2 && m == TPrintMode::Selection ? int(w) : 0);
    Label3->setEnabled(cd);
    for (QRadioButton *r : {Ab1, Ab2, Ab3})
        r->setEnabled(cd);
    gbClipTyp->setVisible(cd);
    gbSchnittmarken->setVisible(!cd);
    btEigenschaften->setEnabled(PrinterSelect->count() > 0);

    const TPrintRequest r = Request();
    const TSheetKind kind = SheetKindForPaper(Paper());
    std::set<int> filled;
    if (m == TPrintMode::Selection) {
        auto fill = [&](const auto &places) {
            for (size_t i = 0; i < places.size(); ++i)
                if (places[i])
                    filled.insert(int(i) + 1);
        };
        if (w == TPrintWhat::CDLabel)
            fill(r.CDPlaces);
        else if (w == TPrintWhat::InlayFront)
            fill(r.FrontPlaces);
        else
            fill(r.BackPlaces);
        pbBogen2->Show(kind, w, filled, r.CutMarks);
    } else {
        // The first sheet: from the first place on, as far as the labels go.
        const int64_t labels = int64_t(r.Count) * (m == TPrintMode::AllOpen ? int64_t(r.OpenDocuments().size()) : 1);
        const int first = cd ? r.First() : 1;
        const int last = cd ? CDPositions : 2;
        for (int place = first; place <= last && place - first < labels; ++place)
            filled.insert(place);
        pbBogen13->Show(kind, w, filled, r.CutMarks);
    }
    lblBoegen->setText(GetText(Text::Sheets).arg(::CountSheets(r)));
}

// ---- printer properties ----------------------------------------------------

TKalibrieren &TDrucken::Calibration()
{
    if (!m_calibration)
        m_calibration = new TKalibrieren(this);
    m_calibration->SetPrinterAccess(m_access);
    m_calibration->SetErrorBox([this](const QString &text) { m_host.ShowError(text); });
    return *m_calibration;
}

void TDrucken::DruckerKalibrierenClick()
{
    // Stored offsets count from the next job on; the queues may have changed meanwhile.
    if (Calibration().Execute(chosenQueue()) == QDialog::Accepted) {
        fillPrinters(true);
        update();
    }
}

void TDrucken::btEigenschaftenClick()
{
    if (!m_access.Properties)
        return;
    const QString queue = chosenQueue();
    if (const auto paper = m_access.Properties(this, queue, Paper()))
        m_papers.insert(queue, *paper);
    update();
}
