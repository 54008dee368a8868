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

// Modules stay loaded to the end, so the table is never destroyed; a module
// that failed is not tried again.
QHash<QString, TModule> &Modules()
{
    static auto *const modules = new QHash<QString, TModule>;
    return *modules;
}

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
    auto it = Modules().find(key);
    if (it == Modules().end())
        it = Modules().insert(key, Load(key));
    return it->Library ? it->Library->resolve(symbol) : nullptr;
}

QString ModuleError(const char *name)
{
    const std::lock_guard lock(g_mutex);
    return Modules().value(QString::fromLatin1(name)).Error;
}
