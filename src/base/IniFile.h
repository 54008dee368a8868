#pragma once
// INI files with the semantics of the platform's private-profile functions:
// "[section]" headers and "key=value" lines, names compared without regard to
// case, a value in matching quotes read without them, numbers in decimal,
// booleans as 0/1. Unlike QSettings nothing is escaped or reordered: an edit
// touches only the line it concerns, so other programs' keys, comments and
// unknown sections survive byte for byte.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The parsed text of one file. A section header is "[" + name + "]" with the
// name running to the last "]" of the line, so printer names with brackets,
// "=" or ";" are section names like any other. Lines that fit no pattern are
// ignored when reading and kept when writing.
class TIniText
{
public:
    TIniText() = default;
    explicit TIniText(const QByteArray &bytes);
    QByteArray toBytes() const;

    // An absent key gives def; a present but empty one gives "".
    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    // Decimal, blanks around it allowed; anything else gives def.
    int ReadInteger(const QString &section, const QString &key, int def) const;
    // Any non-zero number is true.
    bool ReadBool(const QString &section, const QString &key, bool def) const;
    // Names as spelled in the file, first spelling of duplicates, file order.
    QStringList ReadSections() const;
    QStringList ReadSection(const QString &section) const;

    // False (and nothing changed) when the name or value cannot be stored on
    // one line: line breaks anywhere, "=" in the key, an empty name.
    bool WriteString(const QString &section, const QString &key, const QString &value);
    bool WriteInteger(const QString &section, const QString &key, int value);
    bool WriteBool(const QString &section, const QString &key, bool value);
    // Removes every section of that name with all its lines.
    void EraseSection(const QString &section);

private:
    enum class Kind { Blank, Comment, Section, Key, Other };
    struct TLine
    {
        QByteArray raw; // as in the file, line break included
        Kind kind = Kind::Other;
        QString name; // section or key name
        QString value;
        qsizetype valueStart = 0; // byte offset of the value in raw
    };

    static TLine parseLine(QByteArray raw, bool first);
    qsizetype findSection(const QString &section) const;
    qsizetype sectionEnd(qsizetype header) const;
    qsizetype findKey(qsizetype header, const QString &key) const;
    void terminate(qsizetype line);

    QList<TLine> m_lines;
    QByteArray m_eol = "\n";
};

// One settings file on disk. There is no cache: every call reads the file
// anew, and every change replaces it through a temporary file in the same
// folder, so a failed write leaves the previous file intact.
class TIniFile
{
public:
    explicit TIniFile(QString path) : m_path(std::move(path)) {}
    const QString &FileName() const { return m_path; }

    // A missing file reads as empty. nullopt when the file exists but cannot
    // be read (or is no regular file): it must not be written over then.
    std::optional<TIniText> Load() const;
    // Reads the file, applies edit and stores the result when it differs.
    // Several edits in one call reach the disk together or not at all.
    bool Update(const std::function<void(TIniText &)> &edit);

    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    int ReadInteger(const QString &section, const QString &key, int def) const;
    bool ReadBool(const QString &section, const QString &key, bool def) const;
    QStringList ReadSections() const;
    QStringList ReadSection(const QString &section) const;

    // False when the value was refused or the file could not be written.
    bool WriteString(const QString &section, const QString &key, const QString &value);
    bool WriteInteger(const QString &section, const QString &key, int value);
    bool WriteBool(const QString &section, const QString &key, bool value);
    bool EraseSection(const QString &section);

private:
    QString m_path;
};
