#include "IniFile.h"

#include "SaveFile.h"

#include <QFileInfo>

namespace {

// Far beyond any settings file; guards against being pointed at something huge.
constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool hasLineBreak(const QString &s) { return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r')); }

bool isQuote(char c) { return c == '"' || c == '\''; }

// The platform's profile functions read a value in matching quotes without
// them, so a value that would lose its own is stored in another pair.
bool quoted(const QByteArray &v) { return v.size() >= 2 && isQuote(v.front()) && v.back() == v.front(); }

bool validSection(const QString &section) { return !section.isEmpty() && !hasLineBreak(section); }

bool validKey(const QString &key)
{
    return !key.isEmpty() && !hasLineBreak(key) && !key.contains(QLatin1Char('=')) && !key.startsWith(QLatin1Char('['))
           && !key.startsWith(QLatin1Char(';'));
}

} // namespace

TIniText::TIniText(const QByteArray &bytes)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype nl = bytes.indexOf('\n', start);
        const qsizetype end = nl < 0 ? bytes.size() : nl + 1;
        m_lines.append(parseLine(bytes.mid(start, end - start), m_lines.isEmpty()));
        start = end;
    }
    // New lines follow the file's own convention.
    if (!m_lines.isEmpty() && m_lines.first().raw.endsWith("\r\n"))
        m_eol = "\r\n";
}

QByteArray TIniText::toBytes() const
{
    QByteArray out;
    for (const TLine &l : m_lines)
        out += l.raw;
    return out;
}

TIniText::TLine TIniText::parseLine(QByteArray raw, bool first)
{
    TLine line;
    line.raw = std::move(raw);
    const QByteArray &r = line.raw;
    qsizetype end = r.size();
    while (end > 0 && (r[end - 1] == '\n' || r[end - 1] == '\r'))
        --end;
    qsizetype pos = first && r.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < end && isBlank(r[pos]))
        ++pos;
    while (end > pos && isBlank(r[end - 1]))
        --end;

    if (pos == end) {
        line.kind = Kind::Blank;
    } else if (r[pos] == ';') {
        line.kind = Kind::Comment;
    } else if (r[pos] == '[') {
        const qsizetype close = r.lastIndexOf(']', end - 1);
        if (close > pos) {
            line.kind = Kind::Section;
            line.name = QString::fromUtf8(r.mid(pos + 1, close - pos - 1));
        }
    } else if (const qsizetype eq = r.indexOf('=', pos); eq >= 0 && eq < end) {
        qsizetype keyEnd = eq;
        while (keyEnd > pos && isBlank(r[keyEnd - 1]))
            --keyEnd;
        qsizetype v = eq + 1;
        while (v < end && isBlank(r[v]))
            ++v;
        if (keyEnd > pos) {
            line.kind = Kind::Key;
            line.name = QString::fromUtf8(r.mid(pos, keyEnd - pos));
            // A write replaces the quotes with the value.
            line.valueStart = v;
            if (quoted(r.mid(v, end - v))) {
                ++v;
                --end;
            }
            line.value = QString::fromUtf8(r.mid(v, end - v));
        }
    }
    return line;
}

qsizetype TIniText::findSection(const QString &section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Kind::Section && sameName(m_lines[i].name, section))
            return i;
    return -1;
}

qsizetype TIniText::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Section)
        ++i;
    return i;
}

qsizetype TIniText::findKey(qsizetype header, const QString &key) const
{
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i)
        if (m_lines[i].kind == Kind::Key && sameName(m_lines[i].name, key))
            return i;
    return -1;
}

void TIniText::terminate(qsizetype line)
{
    QByteArray &raw = m_lines[line].raw;
    if (!raw.endsWith('\n'))
        raw += m_eol;
}

QString TIniText::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const qsizetype header = findSection(section);
    const qsizetype k = header < 0 ? -1 : findKey(header, key.trimmed());
    return k < 0 ? def : m_lines[k].value;
}

int TIniText::ReadInteger(const QString &section, const QString &key, int def) const
{
    bool ok = false;
    const int v = ReadString(section, key, QString()).toInt(&ok, 10);
    return ok ? v : def;
}

bool TIniText::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

QStringList TIniText::ReadSections() const
{
    QStringList names;
    for (const TLine &l : m_lines)
        if (l.kind == Kind::Section && !names.contains(l.name, Qt::CaseInsensitive))
            names.append(l.name);
    return names;
}

QStringList TIniText::ReadSection(const QString &section) const
{
    QStringList keys;
    const qsizetype header = findSection(section);
    if (header < 0)
        return keys;
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i)
        if (m_lines[i].kind == Kind::Key && !keys.contains(m_lines[i].name, Qt::CaseInsensitive))
            keys.append(m_lines[i].name);
    return keys;
}

bool TIniText::WriteString(const QString &section, const QString &key, const QString &value)
{
    const QString k = key.trimmed();
    if (!validSection(section) || !validKey(k) || hasLineBreak(value))
        return false;
    const QByteArray v = quoted(value.toUtf8()) ? '"' + value.toUtf8() + '"' : value.toUtf8();

    qsizetype header = findSection(section);
    if (header < 0) {
        // A new section goes at the end, after a blank line for readability.
        if (!m_lines.isEmpty()) {
            terminate(m_lines.size() - 1);
            if (m_lines.last().kind != Kind::Blank)
                m_lines.append(parseLine(m_eol, false));
        }
        m_lines.append(parseLine('[' + section.toUtf8() + ']' + m_eol, m_lines.isEmpty()));
        header = m_lines.size() - 1;
    }

    if (const qsizetype i = findKey(header, k); i >= 0) {
        // Keep the key as spelled in the file and the spacing around "=".
        TLine &line = m_lines[i];
        const QByteArray eol = line.raw.endsWith("\r\n") ? QByteArray("\r\n")
                               : line.raw.endsWith('\n') ? QByteArray("\n")
                                                         : QByteArray();
        line = parseLine(line.raw.left(line.valueStart) + v + eol, i == 0);
        return true;
    }

    // A new key follows the last key of its section, before any blank lines
    // and comments that lead into the next section.
    qsizetype at = header;
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i)
        if (m_lines[i].kind == Kind::Key || m_lines[i].kind == Kind::Other)
            at = i;
    terminate(at);
    m_lines.insert(at + 1, parseLine(k.toUtf8() + '=' + v + m_eol, false));
    return true;
}

bool TIniText::WriteInteger(const QString &section, const QString &key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool TIniText::WriteBool(const QString &section, const QString &key, bool value)
{
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniText::EraseSection(const QString &section)
{
    for (qsizetype header = findSection(section); header >= 0; header = findSection(section))
        m_lines.remove(header, sectionEnd(header) - header);
}

std::optional<TIniText> TIniFile::Load() const
{
    if (!QFileInfo::exists(m_path))
        return TIniText();
    const std::optional<QByteArray> bytes = ReadFileWhole(m_path, MaxFileSize);
    return bytes ? std::optional(TIniText(*bytes)) : std::nullopt;
}

bool TIniFile::Update(const std::function<void(TIniText &)> &edit)
{
    std::optional<TIniText> text = Load();
    if (!text)
        return false;
    const QByteArray before = text->toBytes();
    edit(*text);
    const QByteArray after = text->toBytes();
    if (after == before)
        return true;
    return WriteFileWhole(m_path, after);
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const auto text = Load();
    return text ? text->ReadString(section, key, def) : def;
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    const auto text = Load();
    return text ? text->ReadInteger(section, key, def) : def;
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    const auto text = Load();
    return text ? text->ReadBool(section, key, def) : def;
}

QStringList TIniFile::ReadSections() const
{
    const auto text = Load();
    return text ? text->ReadSections() : QStringList();
}

QStringList TIniFile::ReadSection(const QString &section) const
{
    const auto text = Load();
    return text ? text->ReadSection(section) : QStringList();
}

bool TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    bool accepted = false;
    const bool saved = Update([&](TIniText &t) { accepted = t.WriteString(section, key, value); });
    return accepted && saved;
}

bool TIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::EraseSection(const QString &section)
{
    return Update([&](TIniText &t) { t.EraseSection(section); });
}
