#include "Modules.h"

#include "Strings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QStringList>

#include <mutex>

namespace {

// The executable's folder first (the program and quelmark-cli are built and
// installed there with the modules), then where they were built, so that the
// test programs of other folders find them.
QStringList ModuleFolders()
{
    QStringList folders;
    folders << (QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                             : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath());
#ifdef QM_INSTALLED_MODULE_DIR
    folders << QStringLiteral(QM_INSTALLED_MODULE_DIR);
#endif
#ifdef QM_BUILT_MODULE_DIR
    folders << QStringLiteral(QM_BUILT_MODULE_DIR);
#endif
    return folders;
}

struct TModule
{
    QLibrary *Library = nullptr;
    QString Error;
};

std::mutex g_mutex;
// Modules stay loaded; a module that failed is not tried again.
QHash<QString, TModule> g_modules;

TModule Load(const QString &name)
{
    const QStringList folders = ModuleFolders();
    QString reason = GetText(1572).arg(folders.join(QLatin1String(", ")));
    for (const QString &folder : folders) {
        const QString path = QDir(folder).filePath(QStringLiteral("lib%1.so").arg(name));
        if (!QFileInfo::exists(path))
            continue;
        auto *lib = new QLibrary(path);
        if (lib->load())
            return {lib, {}};
        reason = lib->errorString();
        delete lib;
    }
    const QString error = GetText(1571).arg(QStringLiteral("lib%1.so").arg(name), reason);
    qWarning("%s", qUtf8Printable(error));
    return {nullptr, error};
}

} // namespace

QFunctionPointer ModuleEntry(const char *name, const char *symbol)
{
    const std::lock_guard lock(g_mutex);
    const QString key = QString::fromLatin1(name);
    auto it = g_modules.find(key);
    if (it == g_modules.end())
        it = g_modules.insert(key, Load(key));
    return it->Library ? it->Library->resolve(symbol) : nullptr;
}

QString ModuleError(const char *name)
{
    const std::lock_guard lock(g_mutex);
    return g_modules.value(QString::fromLatin1(name)).Error;
}
