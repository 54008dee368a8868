#include "AppFixture.h"

#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QMenu>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// Text numbers and texts of one compiled-in block file, as written there.
QMap<int, QString> BlockTexts(const char *file)
{
    QFile f(u":/strings/"_s + QLatin1String(file));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file;
    QMap<int, QString> r;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        bool ok = false;
        const int tab = line.indexOf('\t');
        const int n = line.left(tab).toInt(&ok);
        if (ok)
            r.insert(n, QString::fromUtf8(line.mid(tab + 1)));
    }
    return r;
}

QList<int> GermanTextNumbers() { return BlockTexts("de.tsv").keys(); }

// Every GetText(<number>) written in the program's sources.
QList<int> NumbersUsedInSources()
{
    const QString src = QDir::cleanPath(QStringLiteral(QM_TEST_DATA_DIR "/../../src"));
    static const QRegularExpression call(u"GetText\\((\\d+)\\)"_s);
    QList<int> r;
    QDirIterator it(src, {u"*.cpp"_s, u"*.h"_s}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        for (auto m = call.globalMatch(text); m.hasNext();)
            r.append(m.next().captured(1).toInt());
    }
    EXPECT_GT(r.size(), 20);
    return r;
}

} // namespace

TEST(StringTable, EveryTextNumberUsedIsInTheGermanBlock)
{
    const QList<int> german = GermanTextNumbers();
    ASSERT_GT(german.size(), 300);
    for (int n : NumbersUsedInSources())
        EXPECT_TRUE(german.contains(n)) << "text number " << n << " used but not in the German block";
}

// Each block holds exactly the German numbers, and no text is longer than
// the 254 characters a lookup returns.
TEST(StringTable, EveryLanguageHasEveryTextNumberAndNoTextIsCut)
{
    const QMap<int, QString> german = BlockTexts("de.tsv");
    for (const char *file : {"de.tsv", "en.tsv", "fr.tsv", "es.tsv"}) {
        const QMap<int, QString> block = BlockTexts(file);
        EXPECT_EQ(block.keys(), german.keys()) << file;
        for (auto it = block.cbegin(); it != block.cend(); ++it) {
            EXPECT_LE(it.value().size(), 254) << file << " text " << it.key();
            EXPECT_NE(it.value(), u"xxx"_s) << file << " text " << it.key();
            EXPECT_EQ(it.value().startsWith(QLatin1Char(' ')), german[it.key()].startsWith(QLatin1Char(' ')))
                << file << " text " << it.key() << ": the blank it is glued with";
            EXPECT_EQ(it.value().endsWith(QLatin1Char(' ')), german[it.key()].endsWith(QLatin1Char(' ')))
                << file << " text " << it.key() << ": the blank it is glued with";
            EXPECT_EQ(it.value().contains(u"%1"_s), german[it.key()].contains(u"%1"_s)) << file << " text " << it.key();
        }
    }
    for (int offset : {3000, 5000, 7000})
        for (int n : german.keys())
            EXPECT_FALSE(LoadText(offset + n).isEmpty()) << "text number " << n << " missing at block " << offset;
}

// A language switch recaptions the open windows; every menu and button has
// a text in each language; out of range changes and writes nothing.
TEST_F(AppTest, EveryMenuAndButtonHasATextInEachLanguage)
{
    TShownMainWindow m;
    TChildWin *c = m.New();
    auto *file = m.findChild<QMenu *>(u"miDatei"_s);
    auto *notebook = c->findChild<QTabWidget *>(u"Notebook"_s);
    EXPECT_EQ(file->title(), u"&Datei"_s);
    for (int lang : {2, 4, 1, 3}) {
        m.SetLanguage(lang);
        EXPECT_EQ(file->title().remove(u'&'), GetText(100));
        EXPECT_EQ((std::tuple{notebook->tabText(1), m.Action(u"sbNeu"_s)->toolTip()}),
                  std::tuple(GetText(123), GetText(200)));
        for (QAction *a : m.findChildren<QAction *>()) {
            if (a->isSeparator() || a->objectName().isEmpty() || a->objectName().startsWith(QLatin1String("miRecent")))
                continue;
            EXPECT_FALSE(a->text().isEmpty()) << a->objectName().toStdString() << " language " << lang;
            EXPECT_NE(a->text(), u"xxx"_s) << a->objectName().toStdString();
        }
        for (QMenu *menu : m.findChildren<QMenu *>()) {
            if (!menu->objectName().isEmpty()) {
                EXPECT_FALSE(menu->title().isEmpty()) << menu->objectName().toStdString();
            }
        }
    }
    EXPECT_EQ(LoadText(5100), file->title().remove(u'&'));
    m.SetLanguage(5);
    EXPECT_EQ(Language(), 3);
    EXPECT_EQ(TIniFile(SettingsFilePath()).ReadInteger(u"LANGUAGE"_s, u"NUMBER"_s, 0), 3);
}
