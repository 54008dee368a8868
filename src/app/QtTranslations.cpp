#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTranslator>

#include <iterator>
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

void RetranslateSystemMenu(QMdiSubWindow *window)
{
    // Qt's texts of the menu's items, in the order it adds them.
    static const char *const kTexts[] = {"&Restore",  "&Move",        "&Size", "Mi&nimize",
                                         "Ma&ximize", "Stay on &Top", "&Close"};
    QMenu *menu = window ? window->systemMenu() : nullptr;
    if (!menu)
        return;
    QList<QAction *> items;
    for (QAction *a : menu->actions())
        if (!a->isSeparator())
            items.append(a);
    if (items.size() != qsizetype(std::size(kTexts)))
        return;
    for (qsizetype i = 0; i < items.size(); ++i)
        items[i]->setText(QCoreApplication::translate("QMdiSubWindow", kTexts[i]));
}
