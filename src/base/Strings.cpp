#include "Strings.h"
#include "StringTable.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <iterator>
#include <optional>
#include <utility>

namespace {

constexpr int MaxTextLength = 254;
constexpr int LanguageBlockSize = 2000;

struct TTableFile
{
    const char *name;
    int base; // id of text number 0; -1 for files keyed by absolute id
};

// Block 9000 (xx.tsv) is reachable only through LoadText; no language maps to it.
constexpr TTableFile TableFiles[] = {
    {"ids.tsv", -1},  {"settings.tsv", -1}, {"de.tsv", 1000}, {"en.tsv", 3000},
    {"fr.tsv", 5000}, {"es.tsv", 7000},     {"xx.tsv", 9000},
};

using TTable = QHash<int, QString>;

// A language's file is read when one of its texts is first asked for: a
// start reads its own language, not all four.
struct TLoaded
{
    TTable Texts;
    bool Read[std::size(TableFiles)] = {};
};

QMutex g_tableMutex;
std::optional<TLoaded> g_table;
QString g_folder;

int g_language = 1;

QString unescape(QStringView s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c != QLatin1Char('\\') || i + 1 == s.size()) {
            out += c;
            continue;
        }
        const QChar next = s[i + 1];
        if (next == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (next == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else if (next == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        else {
            // Unknown escapes stay as written so a stray backslash is visible, not lost.
            out += c;
            out += next;
        }
        ++i;
    }
    return out;
}

QString capped(QString s)
{
    if (s.size() <= MaxTextLength)
        return s;
    // Never cut a surrogate pair in half.
    s.truncate(s.at(MaxTextLength - 1).isHighSurrogate() ? MaxTextLength - 1 : MaxTextLength);
    return s;
}

void parseFile(const QString &path, const TTableFile &file, TTable &table)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return; // tables of languages not translated yet are simply absent
    const QString text = QString::fromUtf8(f.readAll());
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    for (qsizetype ln = 0; ln < lines.size(); ++ln) {
        QStringView line = lines[ln];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        bool ok = false;
        const int n = tab > 0 ? line.left(tab).toInt(&ok) : 0;
        // A number outside its block would land in another language's block.
        const bool inRange = file.base < 0 ? n >= 0 && n <= 0xFFFF : n >= 0 && n < LanguageBlockSize;
        if (!ok || !inRange) {
            qWarning("string table %s:%lld: not a \"<number><TAB><text>\" line, ignored", file.name,
                     static_cast<long long>(ln + 1));
            continue;
        }
        const int id = file.base < 0 ? n : file.base + n;
        if (table.contains(id)) {
            qWarning("string table %s:%lld: id %d defined twice, first one kept", file.name,
                     static_cast<long long>(ln + 1), id);
            continue;
        }
        table.insert(id, capped(unescape(line.mid(tab + 1))));
    }
}

void readFile(TLoaded &t, size_t i)
{
    if (std::exchange(t.Read[i], true))
        return;
    const QString prefix = g_folder.isEmpty() ? QStringLiteral(":/strings/") : g_folder + QLatin1Char('/');
    parseFile(prefix + QLatin1String(TableFiles[i].name), TableFiles[i], t.Texts);
}

// The files keyed by absolute id come first, so theirs win over a block's.
TLoaded &tableFor(int id)
{
    if (!g_table) {
        g_table.emplace();
        for (size_t i = 0; i < std::size(TableFiles); ++i)
            if (TableFiles[i].base < 0)
                readFile(*g_table, i);
    }
    for (size_t i = 0; i < std::size(TableFiles); ++i)
        if (TableFiles[i].base >= 0 && id >= TableFiles[i].base && id < TableFiles[i].base + LanguageBlockSize)
            readFile(*g_table, i);
    return *g_table;
}

} // namespace

void UseStringTableFolder(const QString &folder)
{
    const QMutexLocker lock(&g_tableMutex);
    g_folder = folder;
    g_table.reset();
}

QString LoadText(int id)
{
    const QMutexLocker lock(&g_tableMutex);
    return tableFor(id).Texts.value(id);
}

QString GetText(int n)
{
    // Ids are 16-bit; unsigned arithmetic keeps the wrap defined for any n.
    return LoadText(int((unsigned(n) + unsigned(LanguageOffset())) & 0xFFFFu));
}

int Language() { return g_language; }

int LanguageOffset() { return g_language * 2000 - 1000; }

bool SetLanguageState(int n)
{
    if (n < 1 || n > 4)
        return false;
    g_language = n;
    return true;
}
