// The queue tests need the queue the test script sets up (QUELMARK_TEST_QUEUE).

#include "printing/PrintTestSupport.h"

#include "Errors.h"
#include "PagePainter.h"
#include "PrinterTarget.h"
#include "Settings.h"
#include "Strings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

namespace {

using namespace Qt::StringLiterals;

constexpr int RasterDpi = 150;

struct TTool
{
    int Exit = -1;
    QString Out;
};

TTool Tool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    TTool t;
    if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit)
        t.Exit = p.exitCode();
    t.Out = QString::fromLocal8Bit(p.readAllStandardOutput());
    return t;
}

std::vector<QImage> Rasterise(const QString &pdf, const QTemporaryDir &dir, int dpi = RasterDpi)
{
    return RasterisePdf(pdf, dir.filePath(u"raster%1"_s.arg(dpi)), dpi);
}

TJobResult Print(TPrintTarget &target, const TPrintRequest &r)
{
    TDocumentPagePainter pages;
    TJobHost host;
    return RunPrintJob(r, target, pages, host, SetupSheetMapping(target, TSettings()));
}

TEST(PdfFileTarget, DrawsEverySheetItselfWithTheLabelsAtTheirPlaces)
{
    if (QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    QTemporaryDir dir;
    const QString file = dir.filePath(u"labels.pdf"_s);
    auto target = MakePdfFileTarget(file, QPageSize(QPageSize::Letter));
    EXPECT_EQ((std::tuple{target->MakesCopies(), target->PhysicalOffset(), target->Name()}),
              std::tuple(false, QPoint(), QString()));

    // Without serial numbers, but a PDF makes no copies: 7 labels are
    // three sheets drawn, not one sheet asked for twice.
    auto doc = MakeDocument();
    doc->Label().BackColor = RGBColor(255, 0, 0);
    TPrintRequest r;
    r.Active = doc.get();
    r.Count = 7;
    EXPECT_EQ(Print(*target, r).Status, TJobResult::TStatus::Printed);

    // Where the labels sit on a PDF sheet is the printing tests' part.
    const std::vector<QImage> sheets = Rasterise(file, dir);
    ASSERT_EQ(sheets.size(), 3u);
    EXPECT_TRUE(LabelAt(sheets[2], TSheetKind::Letter, 1, Qt::red, RasterDpi));
}

class Queue : public ::testing::Test
{
protected:
    void SetUp() override
    {
        queue = qEnvironmentVariable("QUELMARK_TEST_QUEUE");
        if (queue.isEmpty())
            GTEST_SKIP() << "no CUPS test queue: scripts/test.sh sets one up (QUELMARK_TEST_QUEUE)";
        out = qEnvironmentVariable("QUELMARK_TEST_QUEUE_OUT", QDir::homePath() + u"/PDF"_s);
    }

    // Ids of the queue's completed jobs.
    QStringList CompletedJobs() const
    {
        const TTool t = Tool(u"lpstat"_s, {u"-W"_s, u"completed"_s, u"-o"_s, queue});
        QStringList ids;
        static const QRegularExpression id(u"^\\S+-(\\d+)\\s"_s, QRegularExpression::MultilineOption);
        for (auto it = id.globalMatch(t.Out); it.hasNext();)
            ids << it.next().captured(1);
        return ids;
    }

    // The files the backend wrote for the jobs completed since before.
    QStringList Arrived(const QStringList &before, int jobs) const
    {
        QStringList ids;
        for (int i = 0; i < 600 && ids.size() < jobs; ++i) {
            QThread::msleep(100);
            ids = CompletedJobs();
            for (const QString &b : before)
                ids.removeAll(b);
        }
        QStringList files;
        for (const QString &id : ids) {
            const QStringList found = QDir(out).entryList({u"*job_%1.pdf"_s.arg(id)}, QDir::Files, QDir::Time);
            if (!found.isEmpty())
                files << QDir(out).filePath(found.first());
        }
        return files;
    }

    QString queue, out;
};

TEST_F(Queue, IsListedAndUnknownQueuesAreRefused)
{
    EXPECT_TRUE(PrinterQueues().contains(queue));
    const QString description = DescribeQueue(queue);
    EXPECT_TRUE(description.contains(u"Printer: "_s + queue)) << description.toStdString();
    EXPECT_TRUE(description.contains(u"Driver: "_s)) << description.toStdString();
    // The job tells its own paper; the queue's would be a second, maybe other one.
    EXPECT_FALSE(description.contains(u"Papersize"_s)) << description.toStdString();
    try {
        MakeQueueTarget(u"Not a queue 4711"_s, QPageSize(QPageSize::A4));
        ADD_FAILURE() << "an unknown queue gave a target";
    } catch (const ELocalizedError &e) {
        EXPECT_EQ(e.message(), GetText(1081).arg(u"Not a queue 4711"_s));
    }
}

// Every job on the queue is in this one test: run side by side, the jobs of
// two tests would mix in the backend's folder.
TEST_F(Queue, JobsArriveWithEverySheetReadableBarCodesAndDriverCopies)
{
    for (const char16_t *tool : {u"pdftoppm", u"zbarimg", u"lpstat"})
        if (QStandardPaths::findExecutable(QString::fromUtf16(tool)).isEmpty())
            GTEST_SKIP() << QString::fromUtf16(tool).toStdString() << " is not installed";
    auto doc = MakeDocument();
    doc->Label().BackColor = RGBColor(255, 255, 0);
    auto s = std::make_unique<TCDLSerNo>(&doc->Label(), -450, -100);
    s->Width = 900;
    s->Height = 250;
    s->FontSize = 14;
    s->Barcode = true;
    s->FontName = AppSettings().BarcodeFont;
    s->Counter = 41;
    s->NumberFormat = u"QM-####"_s;
    doc->Label().AddFrame(std::move(s));

    // Serial numbers forbid driver copies: every label is drawn, each with
    // its own number as a readable Code 39 symbol, where the sheet has its place.
    const QStringList before = CompletedJobs();
    auto target = MakeQueueTarget(queue, QPageSize(QPageSize::A4));
    TPrintRequest r;
    r.Active = doc.get();
    r.Count = 4;
    r.Trim = TRoundTrim::Off;
    ASSERT_EQ(Print(*target, r).Status, TJobResult::TStatus::Printed);
    target.reset();

    const QStringList files = Arrived(before, 1);
    ASSERT_EQ(files.size(), 1) << "in " << out.toStdString();
    QTemporaryDir dir;
    const std::vector<QImage> sheets = Rasterise(files.first(), dir);
    // The bars at print resolution, as a scanner at the shop counter sees them.
    const std::vector<QImage> fine = Rasterise(files.first(), dir, 300);
    QFile::remove(files.first());
    ASSERT_EQ(sheets.size(), 2u);
    // The queue's margins are its physical offset: uncalibrated, places are
    // measured from the paper's edge.
    EXPECT_TRUE(LabelAt(sheets[0], TSheetKind::A4, 3, QColor(255, 255, 0), RasterDpi));
    EXPECT_TRUE(LabelAt(sheets[1], TSheetKind::A4, 1, QColor(255, 255, 0), RasterDpi));

    const QString png = dir.filePath(u"first.png"_s);
    ASSERT_FALSE(fine.empty());
    ASSERT_TRUE(fine[0].save(png));
    const QStringList codes = Tool(u"zbarimg"_s, {u"-q"_s, png}).Out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(QSet<QString>(codes.begin(), codes.end()),
              (QSet<QString>{u"CODE-39:QM-0041"_s, u"CODE-39:QM-0042"_s, u"CODE-39:QM-0043"_s}));

    // Without serial numbers the driver makes the copies: 7 labels are one
    // sheet twice and one more sheet, in two jobs.
    auto plain = MakeDocument();
    plain->Label().BackColor = RGBColor(0, 0, 255);
    const QStringList earlier = CompletedJobs();
    target = MakeQueueTarget(queue, QPageSize(QPageSize::A4));
    EXPECT_TRUE(target->MakesCopies());
    r = TPrintRequest();
    r.Active = plain.get();
    r.Count = 7;
    ASSERT_EQ(Print(*target, r).Status, TJobResult::TStatus::Printed);
    target.reset();

    const QStringList copies = Arrived(earlier, 2);
    ASSERT_EQ(copies.size(), 2);
    size_t copied = 0;
    for (const QString &f : copies) {
        QTemporaryDir raster;
        copied += Rasterise(f, raster, 10).size();
        QFile::remove(f);
    }
    EXPECT_EQ(copied, 3u);
}

TEST_F(Queue, AQueueRemovedBeforePrintingFailsTheJob)
{
    const QString gone = queue + u"-gone"_s;
    if (Tool(u"lpadmin"_s,
             {u"-p"_s, gone, u"-E"_s, u"-v"_s, u"cups-pdf:/"_s, u"-m"_s, u"lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"_s})
            .Exit
        != 0)
        GTEST_SKIP() << "cannot add a queue";
    auto target = MakeQueueTarget(gone, QPageSize(QPageSize::A4));
    ASSERT_EQ(Tool(u"lpadmin"_s, {u"-x"_s, gone}).Exit, 0);

    // The numbers a failed job gives back are the job's part.
    auto doc = MakeDocument();
    TPrintRequest r;
    r.Active = doc.get();
    r.Count = 2;
    const TJobResult result = Print(*target, r);
    EXPECT_EQ(result.Status, TJobResult::TStatus::Failed);
    EXPECT_EQ(result.Message, GetText(756) + u' ' + GetText(1082).arg(gone));
}

} // namespace
