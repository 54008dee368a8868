#include "CliRun.h"
#include "Strings.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;

TEST(CliCalibrate, PrintsTheSheetStoresValuesAndRefusesMistakes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString settings = dir.filePath(u"settings.ini"_s);
    auto run = [&](const QStringList &args, const QProcessEnvironment &env = {}) {
        return RunCli(QStringList{u"calibrate"_s} + args, settings, env);
    };

    const QString pdf = dir.filePath(u"sheet.pdf"_s);
    TCliRun r = run({u"--pdf"_s, pdf, u"--paper"_s, u"letter"_s});
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(ReadAll(pdf).startsWith("%PDF"));

    // Mistakes print and store nothing.
    for (const QStringList &wrong : {QStringList{u"--scale"_s, u"1"_s, u"2"_s},
                                     {u"--set"_s, u"1"_s, u"2"_s, u"--scale"_s, u"51"_s, u"0"_s},
                                     {u"--set"_s, u"1"_s, u"2"_s, u"--pdf"_s, pdf}}) {
        r = run(wrong);
        EXPECT_EQ(r.Exit, 2) << wrong.join(u' ').toStdString();
    }
    r = run({u"--set"_s, u"1x"_s, u"2"_s});
    EXPECT_EQ(r.Exit, 2);
    EXPECT_TRUE(r.Err.startsWith(GetText(450))) << r.Err.toStdString();
    r = run({u"--printer"_s, u"No such queue 4711"_s, u"--set"_s, u"1"_s, u"2"_s});
    EXPECT_EQ((std::tuple{r.Exit, r.Message(), QFile::exists(settings)}),
              std::tuple(1, GetText(1081).arg(u"No such queue 4711"_s).toStdString(), false));

    const QString queue = qEnvironmentVariable("QUELMARK_TEST_QUEUE");
    if (queue.isEmpty())
        GTEST_SKIP() << "no CUPS test queue: scripts/test.sh sets one up (QUELMARK_TEST_QUEUE)";
    r = run({u"--printer"_s, queue, u"--set"_s, u"-35"_s, u"20"_s, u"--scale"_s, u"0"_s, u"-3"_s});
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(ReadAll(settings).replace("\r\n", "\n"),
              "[" + queue.toUtf8() + "]\nX=-35\nY=20\nXSCALE_PERMILLE=0\nYSCALE_PERMILLE=-3\n");
}

} // namespace
