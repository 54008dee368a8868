#pragma once
// Shared by the tests: readable values in failure messages instead of byte
// dumps, and whole files read and written.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

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

// A scratch folder holding the file under test; folders are made on writing.
class TScratchFileTest : public ::testing::Test
{
protected:
    explicit TScratchFileTest(const char *name = "test.ini") : name(name) {}
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const char *n = nullptr) const { return dir.filePath(QLatin1String(n ? n : name)); }
    void put(const QByteArray &bytes, const char *n = nullptr)
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path(n)).path()) && WriteAll(path(n), bytes));
    }
    QByteArray get(const char *n = nullptr) const { return ReadAll(path(n)); }

    QTemporaryDir dir;
    const char *name;
};
