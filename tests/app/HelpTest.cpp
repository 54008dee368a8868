#include "AppFixture.h"

#include "HelpWindow.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>

using namespace Qt::StringLiterals;

namespace {

QSet<QString> Captures(const QString &html, const QString &pattern)
{
    QSet<QString> r;
    QRegularExpressionMatchIterator it = QRegularExpression(pattern).globalMatch(html);
    while (it.hasNext())
        r.insert(it.next().captured(1));
    return r;
}

} // namespace

// Help Topics opens the page the string table names for the current language,
// and that page is a whole help in that language, not a stub of another.
TEST_F(AppTest, HelpTopicsShowTheHelpOfEachLanguage)
{
    static const char *const langAttr[] = {"de", "en", "fr", "es"};
    const QSet<QString> sections = {u"intro"_s, u"design"_s,    u"edit"_s, u"files"_s,
                                    u"print"_s, u"calibrate"_s, u"keys"_s, u"language"_s};
    TShownMainWindow m;
    for (int lang = 1; lang <= 4; ++lang) {
        SCOPED_TRACE(lang);
        m.SetLanguage(lang);
        Trigger(m, "miHilfethemen");
        auto *w = m.findChild<THelpWindow *>(u"HelpWindow"_s);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ((std::tuple{w->isVisible(), w->windowTitle()}), std::tuple(true, GetText(873)));
        const QString path = THelpWindow::HtmlPath(LoadText(30 + lang));
        EXPECT_EQ(w->Source(), u"qrc"_s + path);

        const QString html = QString::fromUtf8(ReadAll(path));
        EXPECT_TRUE(html.contains(u"<html lang=\"%1\">"_s.arg(QLatin1String(langAttr[lang - 1]))));
        const auto *browser = w->findChild<QTextBrowser *>(u"HelpBrowser"_s);
        ASSERT_NE(browser, nullptr);
        EXPECT_TRUE(browser->documentTitle().contains(GetText(873))) << browser->documentTitle().toStdString();

        const QSet<QString> anchors = Captures(html, u"<a name=\"([^\"]+)\">"_s);
        EXPECT_TRUE(anchors.contains(sections));
        for (const QString &target : Captures(html, u"href=\"#([^\"]+)\""_s))
            EXPECT_TRUE(anchors.contains(target)) << "link to missing #" << target.toStdString();
        EXPECT_TRUE(Captures(html, u"href=\"#([^\"]+)\""_s).contains(sections));

        for (const QString &css : Captures(html, u"<link rel=\"stylesheet\" [^>]*href=\"([^\"]+)\""_s))
            EXPECT_TRUE(QFile::exists(u":/help/"_s + css)) << css.toStdString();

        // The menus are named as this language's interface names them.
        for (int n : {100, 108, 110, 114})
            EXPECT_TRUE(html.contains(GetText(n))) << "text " << n << " \"" << GetText(n).toStdString() << '"';
    }
    m.SetLanguage(1); // the open help follows the switch
    EXPECT_EQ(m.findChild<THelpWindow *>(u"HelpWindow"_s)->Source(), u"qrc"_s + THelpWindow::HtmlPath(LoadText(31)));
}
