#include "AppFixture.h"

#include "HelpWindow.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>

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
    const QSet<QString> sections = {QStringLiteral("intro"), QStringLiteral("design"),  QStringLiteral("edit"),
                                    QStringLiteral("files"), QStringLiteral("print"),   QStringLiteral("calibrate"),
                                    QStringLiteral("keys"),  QStringLiteral("language")};
    TMDIForm m;
    m.show();
    for (int lang = 1; lang <= 4; ++lang) {
        SCOPED_TRACE(lang);
        m.SetLanguage(lang);
        Trigger(m, "miHilfethemen");
        auto *w = m.findChild<THelpWindow *>(QStringLiteral("HelpWindow"));
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->windowTitle(), GetText(873));
        const QString path = THelpWindow::HtmlPath(LoadText(30 + lang));
        EXPECT_EQ(w->Source(), QStringLiteral("qrc") + path);

        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        const QString html = QString::fromUtf8(f.readAll());
        EXPECT_TRUE(html.contains(QStringLiteral("<html lang=\"%1\">").arg(QLatin1String(langAttr[lang - 1]))));
        const auto *browser = w->findChild<QTextBrowser *>(QStringLiteral("HelpBrowser"));
        ASSERT_NE(browser, nullptr);
        EXPECT_TRUE(browser->documentTitle().contains(GetText(873))) << browser->documentTitle().toStdString();

        const QSet<QString> anchors = Captures(html, QStringLiteral("<a name=\"([^\"]+)\">"));
        EXPECT_TRUE(anchors.contains(sections));
        for (const QString &target : Captures(html, QStringLiteral("href=\"#([^\"]+)\"")))
            EXPECT_TRUE(anchors.contains(target)) << "link to missing #" << target.toStdString();
        EXPECT_TRUE(Captures(html, QStringLiteral("href=\"#([^\"]+)\"")).contains(sections));

        for (const QString &css : Captures(html, QStringLiteral("<link rel=\"stylesheet\" [^>]*href=\"([^\"]+)\"")))
            EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/") + css)) << css.toStdString();

        // The menus are named as this language's interface names them.
        for (int n : {100, 108, 110, 114})
            EXPECT_TRUE(html.contains(GetText(n))) << "text " << n << " \"" << GetText(n).toStdString() << '"';
    }
}
