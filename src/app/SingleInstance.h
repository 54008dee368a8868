#pragma once
// One program per desktop session and settings file: a start that names
// documents hands them to the program already running, over the session bus,
// instead of opening a second copy. Without a bus every start runs alone.

#include <QObject>
#include <QStringList>
#include <QTimer>

class QDBusConnection;
class TMDIForm;

// Gives the documents to the program registered on bus, made absolute here
// (the running one has another working folder). False when none runs or it
// did not answer: this start carries on by itself.
bool PassToRunningProgram(const QDBusConnection &bus, const QStringList &documents);

// Registers main on bus as the program that opens later starts' documents.
// False where another program holds the name or there is no bus.
bool ServeLaterStarts(const QDBusConnection &bus, TMDIForm *main);

// What the bus reaches in the running program.
class TDocumentReceiver : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quelmark.Quelmark")
public:
    explicit TDocumentReceiver(TMDIForm *main);

public slots:
    Q_SCRIPTABLE void Open(const QStringList &paths);

private:
    void openWaiting();

    TMDIForm *m_main;
    QStringList m_waiting;
    QTimer m_retry;
};
