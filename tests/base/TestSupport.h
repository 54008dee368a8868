#pragma once
// Shared by the tests: readable values in failure messages instead of byte
// dumps, and whole files read and written.

#include <QByteArray>
#include <QFile>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray &b, std::ostream *os) { *os << '"' << b.toStdString() << '"'; }
inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << '(' << l.join(QStringLiteral(", ")).toStdString() << ')';
}
inline void PrintTo(const QPoint &p, std::ostream *os) { *os << '(' << p.x() << ", " << p.y() << ')'; }

// The file's bytes, or "<missing>" when it cannot be read.
inline QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
inline bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
