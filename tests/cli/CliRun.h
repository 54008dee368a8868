#pragma once
// quelmark-cli as a person runs it: a process of its own, with no display
// and no platform chosen for it.

#include "FileSizeLimit.h"
#include "base/TestSupport.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>

struct TCliRun
{
    int Exit = -1;
    QString Out, Err;
    // The last line on standard error: what the tool said last.
    std::string Message() const { return Err.split(QLatin1Char('\n')).last().toStdString(); }
};

// extra is laid over the tool's environment; writes beyond fileSizeLimit
// bytes fail as on a full disk. Standard output goes to outFile if named.
inline TCliRun RunCli(const QStringList &args, const QString &settings, const QProcessEnvironment &extra = {},
                      rlim_t fileSizeLimit = RLIM_INFINITY, const QString &outFile = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    env.insert(QStringLiteral("QUELMARK_SETTINGS"), settings);
    env.insert(extra);
    QProcess p;
    p.setProcessEnvironment(env);
    if (fileSizeLimit != RLIM_INFINITY)
        p.setChildProcessModifier([fileSizeLimit] { TFileSizeLimit::Apply(fileSizeLimit); });
    if (!outFile.isEmpty())
        p.setStandardOutputFile(outFile);
    p.start(QStringLiteral(QM_CLI_PATH), args);
    TCliRun r;
    if (!p.waitForFinished(120000))
        return r;
    r.Exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.Out = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    r.Err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    return r;
}
