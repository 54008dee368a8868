#include "AppFixture.h"

#include "Startup.h"

#include <QLibraryInfo>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

QString CancelText()
{
    QMessageBox box;
    box.addButton(QMessageBox::Cancel);
    return box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&'));
}

bool CataloguesInstalled()
{
    return QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_de.qm"_s);
}

} // namespace

TEST_F(AppTest, QtDialogButtonsStartInTheStoredLanguageAndFollowTheSwitch)
{
    if (!CataloguesInstalled())
        GTEST_SKIP() << "Qt's translations (qt6-translations-l10n) are not installed";
    TIniFile(SettingsFilePath()).WriteInteger(u"LANGUAGE"_s, u"NUMBER"_s, 3);
    TMDIForm *m = StartProgram(ParseCommandLine({u"--no-splash"_s}));
    EXPECT_EQ(CancelText(), u"Annuler"_s);
    const char *const cancel[] = {"Abbrechen", "Cancel", "Annuler", "Cancelar"};
    WaitFor([&] { return !m->Children().isEmpty(); });
    QMenu *menu = qobject_cast<QMdiSubWindow *>(m->Children()[0]->parentWidget())->systemMenu();
    for (int lang : {2, 1, 4, 3, 2}) {
        m->SetLanguage(lang);
        EXPECT_EQ(CancelText(), QLatin1String(cancel[lang - 1])) << lang;
        QMdiSubWindow fresh; // and the document window's own menu
        EXPECT_EQ(menu->actions()[0]->text(), fresh.systemMenu()->actions()[0]->text()) << lang;
    }
}
