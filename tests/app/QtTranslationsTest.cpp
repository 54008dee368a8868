// Qt's own dialogs speak the program's language.

#include "AppFixture.h"

#include "Startup.h"

#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString CancelText()
{
    QMessageBox box;
    box.addButton(QMessageBox::Cancel);
    return box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&'));
}

bool CataloguesInstalled()
{
    return QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm"));
}

} // namespace

TEST_F(AppTest, QtDialogButtonsStartInTheStoredLanguageAndFollowTheSwitch)
{
    if (!CataloguesInstalled())
        GTEST_SKIP() << "Qt's translations (qt6-translations-l10n) are not installed";
    TIniFile(SettingsFilePath()).WriteInteger(QStringLiteral("LANGUAGE"), QStringLiteral("NUMBER"), 3);
    TMDIForm *m = StartProgram(ParseCommandLine({QStringLiteral("--no-splash")}));
    EXPECT_EQ(CancelText(), QStringLiteral("Annuler"));
    const char *const cancel[] = {"Abbrechen", "Cancel", "Annuler", "Cancelar"};
    for (int lang : {2, 1, 4, 3, 2}) {
        m->SetLanguage(lang);
        EXPECT_EQ(CancelText(), QLatin1String(cancel[lang - 1])) << lang;
    }
}
