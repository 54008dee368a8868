#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

void ApplyQtTranslations(int language)
{
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    static const char *const kLocales[] = {"de", "en", "fr", "es"};
    if (language < 1 || language > 4 || language == 2)
        return;
    auto t = std::make_unique<QTranslator>();
    if (!t->load(QLocale(QLatin1String(kLocales[language - 1])), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(t.get());
    installed = std::move(t);
}
