#include "SingleInstance.h"

#include "MainWindow.h"
#include "Settings.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>

namespace {

const QString kPath = QStringLiteral("/org/quelmark/Quelmark");
const QString kInterface = QStringLiteral("org.quelmark.Quelmark");

// A program started with its own settings file (QUELMARK_SETTINGS, as the
// tests and trial runs do) is a program of its own.
QString ServiceName()
{
    if (qEnvironmentVariableIsEmpty("QUELMARK_SETTINGS"))
        return kInterface;
    const QByteArray h = QCryptographicHash::hash(SettingsFilePath().toUtf8(), QCryptographicHash::Sha1);
    return kInterface + QStringLiteral(".s") + QString::fromLatin1(h.toHex().left(16));
}

} // namespace

bool PassToRunningProgram(const QDBusConnection &bus, const QStringList &documents)
{
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(ServiceName()))
        return false;
    QStringList paths;
    for (const QString &d : documents)
        paths.append(QFileInfo(d).absoluteFilePath());
    QDBusMessage call = QDBusMessage::createMethodCall(ServiceName(), kPath, kInterface, QStringLiteral("Open"));
    call << paths;
    // A program that hangs must not keep this start from running alone.
    return bus.call(call, QDBus::BlockWithGui, 5000).type() == QDBusMessage::ReplyMessage;
}

bool ServeLaterStarts(const QDBusConnection &bus, TMDIForm *main)
{
    if (!bus.isConnected())
        return false;
    QDBusConnection b = bus;
    auto *receiver = new TDocumentReceiver(main);
    if (b.registerObject(kPath, receiver, QDBusConnection::ExportScriptableSlots) && b.registerService(ServiceName()))
        return true;
    b.unregisterObject(kPath);
    delete receiver;
    return false;
}

TDocumentReceiver::TDocumentReceiver(TMDIForm *main) : QObject(main), m_main(main)
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(250);
    connect(&m_retry, &QTimer::timeout, this, &TDocumentReceiver::openWaiting);
}

void TDocumentReceiver::Open(const QStringList &paths)
{
    // The caller waits for the answer, not for a message box about a missing file.
    m_waiting += paths;
    m_retry.start(0);
}

void TDocumentReceiver::openWaiting()
{
    // A dialog up (print, a message) works on the documents as they are.
    if (QApplication::activeModalWidget()) {
        m_retry.start(250);
        return;
    }
    if (m_main->isMinimized())
        m_main->showMaximized();
    m_main->raise();
    m_main->activateWindow();
    while (!m_waiting.isEmpty())
        m_main->OpenFile(m_waiting.takeFirst());
}
