// quelmark-cli resave on a file from another installation: whatever that
// writer left after the texts of its short strings comes back unchanged.

#include "BinaryStream.h"
#include "Document.h"
#include "SerNo.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Every byte after the text of the field that holds text becomes non-zero.
void FillTail(QByteArray &file, const QByteArray &text)
{
    const qsizetype at = file.indexOf(char(text.size()) + text);
    ASSERT_GE(at, 0) << text.constData();
    for (qsizetype i = at + 1 + text.size(); i < at + ShortStringSize; ++i)
        file[i] = char(0x80 | (i * 37 & 0x7F));
}

} // namespace

TEST(CliResave, KeepsTheBytesAfterShortStrings)
{
    QTemporaryDir dir;
    TCDLDocument doc;
    auto t = std::make_unique<TCDLText>(&doc.Label(), 0, 0);
    t->FontName = QStringLiteral("Tahoma");
    doc.Label().AddFrame(std::move(t));
    auto s = std::make_unique<TCDLSerNo>(&doc.Back(), 0, 0);
    s->FontName = QStringLiteral("Courier New");
    s->NumberFormat = QStringLiteral("CD-####");
    doc.Back().AddFrame(std::move(s));
    QByteArray file = doc.ToBytes();
    for (const char *text : {"Tahoma", "Courier New", "CD-####"})
        FillTail(file, text);
    const QString in = dir.filePath(QStringLiteral("foreign.CDL")), out = dir.filePath(QStringLiteral("out.CDL"));
    QFile f(in);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUELMARK_SETTINGS"), dir.filePath(QStringLiteral("settings.ini")));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QM_CLI_PATH), {QStringLiteral("resave"), in, out});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    QFile g(out);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    EXPECT_EQ(g.readAll().toHex(), file.toHex());
}
