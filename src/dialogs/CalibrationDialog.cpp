#include "CalibrationDialog.h"

#include "CalibrationSheet.h"
#include "Errors.h"
#include "KeyboardOrder.h"
#include "PrintTarget.h"
#include "PrintingWindow.h"
#include "Settings.h"
#include "SheetMapping.h"
#include "Strings.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <optional>

namespace {

template <class T> T *Named(QWidget *parent, const char *name)
{
    auto *w = new T(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

std::optional<int> Integer(const QLineEdit *e)
{
    bool ok = false;
    const int v = e->text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

TKalibrieren::TKalibrieren(QWidget *parent) : QDialog(parent), m_access(TPrinterAccess::System())
{
    setObjectName(QStringLiteral("Kalibrieren"));
    build();
    LinkLabelsAndTabOrder(this);
    m_progress = new TPrinting(this);
    SetupStrings();
}

void TKalibrieren::build()
{
    GroupBox1 = Named<QGroupBox>(this, "GroupBox1");
    Label2 = Named<QLabel>(GroupBox1, "Label2");
    PrinterSelect = Named<QComboBox>(GroupBox1, "PrinterSelect");
    PrinterSelect->setMinimumContentsLength(28);
    auto *printer = new QHBoxLayout(GroupBox1);
    printer->addWidget(Label2);
    printer->addWidget(PrinterSelect, 1);

    GroupBox2 = Named<QGroupBox>(this, "GroupBox2");
    auto *info = new QVBoxLayout(GroupBox2);
    Label1 = Named<QLabel>(GroupBox2, "Label1");
    Label3 = Named<QLabel>(GroupBox2, "Label3");
    Label12 = Named<QLabel>(GroupBox2, "Label12");
    for (QLabel *l : {Label1, Label3, Label12}) {
        l->setWordWrap(true);
        info->addWidget(l);
    }

    GroupBox3 = Named<QGroupBox>(this, "GroupBox3");
    Label4 = Named<QLabel>(GroupBox3, "Label4");
    Label7 = Named<QLabel>(GroupBox3, "Label7");
    XKalib = Named<QLineEdit>(GroupBox3, "XKalib");
    YKalib = Named<QLineEdit>(GroupBox3, "YKalib");
    auto *values = new QGridLayout(GroupBox3);
    values->addWidget(Label4, 0, 0);
    values->addWidget(XKalib, 0, 1);
    values->addWidget(Label7, 0, 2);
    values->addWidget(YKalib, 0, 3);

    GroupBox4 = Named<QGroupBox>(this, "GroupBox4");
    Label5 = Named<QLabel>(GroupBox4, "Label5");
    Label6 = Named<QLabel>(GroupBox4, "Label6");
    Label8 = Named<QLabel>(GroupBox4, "Label8");
    Label8->setWordWrap(true);
    XMassstab = Named<QSpinBox>(GroupBox4, "XMassstab");
    YMassstab = Named<QSpinBox>(GroupBox4, "YMassstab");
    for (QSpinBox *s : {XMassstab, YMassstab})
        s->setRange(-MaxPrinterScale, MaxPrinterScale);
    auto *scale = new QGridLayout(GroupBox4);
    scale->addWidget(Label5, 0, 0);
    scale->addWidget(XMassstab, 0, 1);
    scale->addWidget(Label6, 0, 2);
    scale->addWidget(YMassstab, 0, 3);
    scale->addWidget(Label8, 1, 0, 1, 4);

    Drucken = Named<QPushButton>(this, "Drucken");
    Drucken->setDefault(true);
    OK = Named<QPushButton>(this, "OK");
    Abbrechen2 = Named<QPushButton>(this, "Abbrechen2");
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Drucken);
    buttons->addStretch();
    buttons->addWidget(OK);
    buttons->addWidget(Abbrechen2);

    auto *layout = new QVBoxLayout(this);
    for (QWidget *w : {GroupBox1, GroupBox2, GroupBox3, GroupBox4})
        layout->addWidget(w);
    layout->addLayout(buttons);

    connect(PrinterSelect, &QComboBox::currentIndexChanged, this, &TKalibrieren::PrinterSelectChange);
    connect(Drucken, &QPushButton::clicked, this, &TKalibrieren::DruckenClick);
    connect(OK, &QPushButton::clicked, this, &TKalibrieren::OKClick);
    connect(Abbrechen2, &QPushButton::clicked, this, &QDialog::reject);
}

void TKalibrieren::SetupStrings()
{
    setWindowTitle(GetText(400));
    GroupBox1->setTitle(GetText(401));
    Label2->setText(GetText(402));
    GroupBox2->setTitle(GetText(406));
    Label1->setText(GetText(407));
    Label3->setText(GetText(408));
    Label12->setText(GetText(409));
    GroupBox3->setTitle(GetText(403));
    Label4->setText(GetText(404));
    Label7->setText(GetText(405));
    GroupBox4->setTitle(GetText(410));
    Label5->setText(GetText(404));
    Label6->setText(GetText(405));
    Label8->setText(GetText(411));
    Drucken->setText(GetText(2));
    OK->setText(GetText(0));
    Abbrechen2->setText(GetText(1));
    m_progress->SetupStrings();
}

int TKalibrieren::Execute(const QString &current)
{
    m_remembered = current;
    return exec();
}

void TKalibrieren::showEvent(QShowEvent *e)
{
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
    QDialog::showEvent(e);
}

void TKalibrieren::hideEvent(QHideEvent *e)
{
    if (m_shown && !e->spontaneous()) {
        m_shown = false;
        m_current = m_remembered;
    }
    QDialog::hideEvent(e);
}

void TKalibrieren::FormShow()
{
    SetupStrings();
    m_current = m_remembered;
    const QStringList queues = m_access.Queues ? m_access.Queues() : QStringList();
    QString chosen = m_remembered;
    if (!queues.contains(chosen))
        chosen = m_access.DefaultQueue ? m_access.DefaultQueue() : QString();
    {
        QSignalBlocker block(PrinterSelect);
        PrinterSelect->clear();
        PrinterSelect->addItems(queues);
        PrinterSelect->setCurrentIndex(std::max<int>(int(queues.indexOf(chosen)), 0));
    }
    // Without a queue there is nothing to print on or to store for.
    for (QWidget *w : std::initializer_list<QWidget *>{Drucken, OK, XKalib, YKalib, XMassstab, YMassstab})
        w->setEnabled(!queues.isEmpty());
    PrinterSelectChange();
}

void TKalibrieren::PrinterSelectChange()
{
    const QString queue = PrinterSelect->currentText();
    m_current = queue;
    XKalib->clear();
    YKalib->clear();
    if (queue.isEmpty())
        return;
    QPoint offset;
    try {
        const std::unique_ptr<TPrintTarget> target = m_access.QueueTarget(queue, QPageSize());
        const QPoint dpi = target->Resolution(), physical = target->PhysicalOffset();
        offset = ReadPrinterOffset(queue, DefaultCalibration(physical.x(), dpi.x()),
                                   DefaultCalibration(physical.y(), dpi.y()));
    } catch (const ELocalizedError &e) {
        error(e.message());
        offset = ReadPrinterOffset(queue, 0, 0);
    }
    XKalib->setText(QString::number(offset.x()));
    YKalib->setText(QString::number(offset.y()));
    const QPoint scale = ReadPrinterScale(queue);
    XMassstab->setValue(scale.x());
    YMassstab->setValue(scale.y());
}

void TKalibrieren::DruckenClick()
{
    const QString queue = PrinterSelect->currentText();
    if (queue.isEmpty())
        return;
    m_progress->SetLines(GetText(451), GetText(452));
    m_progress->Start();
    QApplication::processEvents();
    try {
        const std::unique_ptr<TPrintTarget> target = m_access.QueueTarget(queue, QPageSize());
        // The far scale reads true with the offsets as entered, stored or not.
        const QPoint stored = SetupSheetMapping(*target, AppSettings()).Calibration;
        const QPoint entered(Integer(XKalib).value_or(stored.x()), Integer(YKalib).value_or(stored.y()));
        PrintCalibrationSheet(*target, entered);
    } catch (const ELocalizedError &e) {
        m_progress->Stop();
        error(GetText(454) + QLatin1Char('\n') + e.message());
        return;
    }
    m_progress->Stop();
}

void TKalibrieren::OKClick()
{
    const QString section = PrinterSelect->currentText();
    if (section.isEmpty())
        return;
    const std::optional<int> x = Integer(XKalib), y = Integer(YKalib);
    // A valid X is kept even when Y is refused.
    if (x && !WritePrinterOffset(section, x, std::nullopt)) {
        error(GetText(1100).arg(QDir::toNativeSeparators(SettingsFilePath())));
        return;
    }
    if (!x || !y) {
        error(GetText(450));
        return;
    }
    const QPoint scale(XMassstab->value(), YMassstab->value());
    // Unchanged, the scale keys stay as they are, absent ones absent.
    if (!WritePrinterOffset(section, std::nullopt, y)
        || (scale != ReadPrinterScale(section) && !WritePrinterScale(section, scale.x(), scale.y()))) {
        error(GetText(1100).arg(QDir::toNativeSeparators(SettingsFilePath())));
        return;
    }
    accept();
}

void TKalibrieren::error(const QString &text)
{
    if (m_errorBox)
        m_errorBox(text);
}
