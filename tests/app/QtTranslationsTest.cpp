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

TEST_F(AppTest, QtDialogButtonsFollowTheLanguageSwitch)
{
    if (!CataloguesInstalled())
        GTEST_SKIP() << "Qt's translations (qt6-translations-l10n) are not installed";
    TMDIForm m;
    m.SetLanguage(2);
    EXPECT_EQ(CancelText(), QStringLiteral("Cancel"));
    m.SetLanguage(1);
    EXPECT_EQ(CancelText(), QStringLiteral("Abbrechen"));
    m.SetLanguage(3);
    EXPECT_EQ(CancelText(), QStringLiteral("Annuler"));
    m.SetLanguage(4);
    EXPECT_EQ(CancelText(), QStringLiteral("Cancelar"));
    m.SetLanguage(2);
    EXPECT_EQ(CancelText(), QStringLiteral("Cancel"));
}

TEST_F(AppTest, QtDialogButtonsStartInTheStoredLanguage)
{
    if (!CataloguesInstalled())
        GTEST_SKIP() << "Qt's translations (qt6-translations-l10n) are not installed";
    TIniFile(SettingsFilePath()).WriteInteger(QStringLiteral("LANGUAGE"), QStringLiteral("NUMBER"), 3);
    TMDIForm *m = StartProgram(ParseCommandLine({QStringLiteral("--no-splash")}));
    EXPECT_EQ(CancelText(), QStringLiteral("Annuler"));
    m->SetLanguage(2);
    EXPECT_EQ(CancelText(), QStringLiteral("Cancel"));
}
