#include "CliRun.h"
#include "Document.h"
#include "Strings.h"
#include "printing/PrintTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;

class CliFullDisk : public ::testing::Test
{
protected:
    QString Path(const QString &name) const { return dir.filePath(name); }

    QByteArray Bytes(const QString &name) const { return ReadAll(Path(name)); }
    void Put(const QString &name, const QByteArray &bytes) const { ASSERT_TRUE(WriteAll(Path(name), bytes)); }

    TCliRun Run(const QStringList &args, rlim_t limit, const QString &outFile = {}) const
    {
        return RunCli(args, Path(u"settings.ini"_s), {}, limit, outFile);
    }

    QTemporaryDir dir;
};

TEST_F(CliFullDisk, EveryWriteKeepsTheOldFileAndFails)
{
    auto doc = MakeDocument();
    AddFlood(doc->Label(), RGBColor(255, 0, 0));
    AddSerialNumber(doc->Label(), 5);
    doc->Save(Path(u"doc.CDL"_s));
    const QByteArray original = Bytes(u"doc.CDL"_s);
    const QByteArray old = "old contents";
    const QString saveFailed = GetText(856);

    struct TCase
    {
        QStringList Args;
        QString Out, Message;
    };
    const QString in = Path(u"doc.CDL"_s);
    const std::vector<TCase> cases{
        {{u"resave"_s, in, Path(u"out.CDL"_s)}, u"out.CDL"_s, saveFailed},
        {{u"resave"_s, in, in}, u"doc.CDL"_s, saveFailed},
        {{u"render"_s, in, u"--out"_s, Path(u"out.png"_s)}, u"out.png"_s, Path(u"out.png"_s) + u": "_s + saveFailed},
        {{u"render"_s, in, u"--out"_s, Path(u"out.pdf"_s)}, u"out.pdf"_s, Path(u"out.pdf"_s) + u": "_s + saveFailed},
        {{u"preview"_s, in, u"--out"_s, Path(u"sheet.png"_s)},
         u"sheet.png"_s,
         Path(u"sheet.png"_s) + u": "_s + saveFailed},
    };
    for (const TCase &c : cases) {
        if (c.Out != u"doc.CDL"_s)
            Put(c.Out, old);
        const QByteArray before = Bytes(c.Out);
        const TCliRun r = Run(c.Args, 10);
        EXPECT_EQ(r.Exit, 1) << c.Args.join(u' ').toStdString();
        EXPECT_EQ(r.Message(), c.Message.toStdString());
        EXPECT_EQ(Bytes(c.Out), before) << c.Out.toStdString();
    }

    // A dump or sheet count that does not reach standard output's file fails.
    for (const QStringList &args : {QStringList{u"dump"_s, in}, QStringList{u"--help"_s}}) {
        const TCliRun r = Run(args, 10, Path(u"out.txt"_s));
        EXPECT_EQ(r.Exit, 1) << args.join(u' ').toStdString();
        EXPECT_EQ(r.Message(), saveFailed.toStdString());
    }

    // The document itself would fit, the sheet does not: nothing printed,
    // the counter stays in the file.
    Put(u"sheet.pdf"_s, old);
    const TCliRun r =
        Run({u"print"_s, in, u"--pdf"_s, Path(u"sheet.pdf"_s), u"--save-counters"_s}, rlim_t(original.size()) + 64);
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Out.isEmpty()) << r.Out.toStdString();
    EXPECT_TRUE(r.Err.contains(GetText(1080).arg(Path(u"sheet.pdf"_s)))) << r.Err.toStdString();
    EXPECT_EQ((std::tuple{Bytes(u"sheet.pdf"_s), Bytes(u"doc.CDL"_s)}), std::tuple(old, original));
    EXPECT_EQ(QDir(dir.path()).entryList({u"*.CDL.*"_s, u"*.png.*"_s, u"*.pdf.*"_s}), QStringList())
        << "no temporary file left";
}

} // namespace
