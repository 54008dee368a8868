#include "ScanDialogs.h"

#include "MessageBoxText.h"
#include "Settings.h"
#include "Strings.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

TScanSourceDialog::TScanSourceDialog(const std::vector<TScanDevice> &devices, const QString &last, QWidget *parent)
    : QDialog(parent), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("ScanSourceDialog"));
    setWindowTitle(GetText(1546));
    m_list->setObjectName(QStringLiteral("lbSources"));
    for (const TScanDevice &d : devices) {
        const QString maker = QStringList{d.Vendor, d.Model}.join(QLatin1Char(' ')).trimmed();
        auto *item = new QListWidgetItem(QStringLiteral("%1 (%2)").arg(maker, d.Name), m_list);
        item->setData(Qt::UserRole, d.Name);
        if (d.Name == last || m_list->count() == 1)
            m_list->setCurrentItem(item);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(GetText(0));
    buttons->button(QDialogButtonBox::Cancel)->setText(GetText(1));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(420, 260);
}

QString TScanSourceDialog::Device() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

namespace {

// The hourglass while SANE looks for scanners, which can take seconds.
struct TWaitCursor
{
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
};

TScanResult AcquireWithProgress(const QString &device, QWidget *parent)
{
    QProgressDialog progress(GetText(1547), GetText(1), 0, 100, parent);
    progress.setObjectName(QStringLiteral("ScanProgress"));
    progress.setWindowTitle(GetText(248));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumWidth(360); // wide enough for its title
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.show();
    QApplication::processEvents();
    return Acquire({device}, [&progress](int percent) {
        // A page of unknown length shows a busy bar.
        progress.setRange(0, percent < 0 ? 0 : 100);
        progress.setValue(std::max(percent, 0));
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
}

} // namespace

QImage ScanWithDialogs(QWidget *parent)
{
    std::vector<TScanDevice> devices;
    {
        TWaitCursor wait;
        devices = ScanDevices();
    }
    if (devices.empty()) {
        const QString unavailable = ScanningUnavailable();
        MessageBoxText(unavailable.isEmpty() ? GetText(1544) : unavailable, mkWarning, mbOK);
        return {};
    }
    TScanSourceDialog choice(devices, ReadScanSource(), parent);
    if (choice.exec() != QDialog::Accepted || choice.Device().isEmpty())
        return {};
    WriteScanSource(choice.Device());
    const TScanResult scan = AcquireWithProgress(choice.Device(), parent);
    if (scan.Status == TScanStatus::Cancelled)
        return {};
    if (scan.Status != TScanStatus::Ok) {
        qWarning("scan from %s failed: %s", qUtf8Printable(choice.Device()), qUtf8Printable(scan.Detail));
        MessageBoxText(GetText(1545), mkWarning, mbOK);
        return {};
    }
    return scan.Image;
}
