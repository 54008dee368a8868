#include "PrintTestSupport.h"

#include "Errors.h"
#include "PagePainter.h"
#include "Strings.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

struct JobRun
{
    explicit JobRun(TRecordingTarget::TOptions options = {}) : target(options) {}
    TRecordingTarget target;
    TTestHost host;
    TDocumentPagePainter pages;
    TJobResult result;

    JobRun &Run(const TPrintRequest &r)
    {
        result = RunPrintJob(r, target, pages, host, MappingOf(target));
        return *this;
    }
    QString Sequence() const { return target.Sequence(); }
};

TRecordingTarget::TOptions Copying()
{
    TRecordingTarget::TOptions o;
    o.MakesCopies = true;
    return o;
}

TPrintRequest Current(TCDLDocument &doc, TPrintWhat what, int count, int first = 1,
                      TRoundTrim trim = TRoundTrim::Direct)
{
    TPrintRequest r;
    r.Active = &doc;
    r.What = what;
    r.Count = count;
    r.FirstPlace = first;
    r.Trim = trim;
    return r;
}

// Sheets, places and driver copies per kind: a copy count changed while a
// document is open would reach no driver, so copies after a part sheet get a
// document of their own; serial numbers forbid copies.
TEST(PrintJob, SheetsPlacesAndDriverCopies)
{
    struct TCase
    {
        bool copies;
        TPrintWhat what;
        int count, first;
        bool serial;
        const char16_t *sequence;
    };
    const TCase cases[] = {
        {false, TPrintWhat::CDLabel, 4, 2, false, u"begin cd@2 cd@3 page cd@1 cd@2 end"},
        {true, TPrintWhat::CDLabel, 10, 1, false, u"copies 3 begin cd@1 cd@2 cd@3 end copies 1 begin cd@1 end"},
        {false, TPrintWhat::CDLabel, 10, 1, false,
         u"begin cd@1 cd@2 cd@3 page cd@1 cd@2 cd@3 page cd@1 cd@2 cd@3 page cd@1 end"},
        {true, TPrintWhat::CDLabel, 9, 2, false,
         u"begin cd@2 cd@3 end copies 2 begin cd@1 cd@2 cd@3 end copies 1 begin cd@1 end"},
        {true, TPrintWhat::CDLabel, 4, 1, true, u"begin cd@1 cd@2 cd@3 page cd@1 end"},
        {false, TPrintWhat::InlayFront, 3, 1, false, u"begin front@1 front@2 page front@1 end"},
        {true, TPrintWhat::InlayBack, 10, 1, false,
         u"copies 2 begin back@1 back@2 end copies 1 begin back@1 back@2 page back@1 back@2 page back@1 back@2 end"},
        {true, TPrintWhat::FrontAndBack, 2, 1, false, u"begin front@3 back@3 page front@3 back@3 end"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.sequence).toStdString());
        auto doc = MakeDocument();
        TCDLSerNo *s = c.serial ? AddSerialNumber(doc->Label(), 1) : nullptr;
        JobRun run(c.copies ? Copying() : TRecordingTarget::TOptions{});
        run.Run(Current(*doc, c.what, c.count, c.first));
        EXPECT_EQ((std::tuple{run.result.Status, run.Sequence(), run.target.CopyCount()}),
                  std::tuple(TJobResult::TStatus::Printed, QString::fromUtf16(c.sequence), 1));
        // Only serial numbers mark the document.
        EXPECT_EQ(doc->Modified(), c.serial);
        if (s) {
            EXPECT_EQ(s->Counter, 1 + c.count);
        }
    }
    auto doc = MakeDocument();
    JobRun run;
    run.Run(Current(*doc, TPrintWhat::CDLabel, 4, 2));
    EXPECT_EQ(run.target.Title, GetText(753));
    EXPECT_EQ(run.host.ProgressSeen, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
}

TEST(PrintJob, IndirectTrimmingSplitsSheetsIntoTwoPasses)
{
    struct Case
    {
        int count, first;
        const char16_t *sequence;
        int messages;
    };
    const Case cases[] = {
        {2, 1, u"begin cd@1 end begin cd@2 end", 1},
        {1, 1, u"begin cd@1 end", 0},
        {7, 1, u"begin cd@1 cd@3 end begin cd@2 page cd@1 cd@3 end begin cd@2 page cd@1 end", 2},
        {3, 2, u"begin cd@2 end begin cd@3 page cd@1 end", 1},
        {1, 2, u"begin cd@2 end", 0},
        {2, 3, u"begin cd@3 page cd@1 end", 0},
    };
    for (const Case &c : cases) {
        auto doc = MakeDocument();
        TCDLSerNo *s = AddSerialNumber(doc->Label(), 1);
        JobRun run;
        run.Run(Current(*doc, TPrintWhat::CDLabel, c.count, c.first, TRoundTrim::Indirect));
        SCOPED_TRACE(c.count * 10 + c.first);
        EXPECT_EQ(run.Sequence(), QString::fromUtf16(c.sequence));
        EXPECT_EQ(run.host.Messages.size(), c.messages);
        for (const QString &m : run.host.Messages)
            EXPECT_EQ(m, GetText(759));
        EXPECT_EQ(s->Counter, 1 + c.count);
    }
}

TEST(PrintJob, NeverFewerLabelsOnPaperThanAskedFor)
{
    for (bool copies : {false, true})
        for (auto trim : {TRoundTrim::Direct, TRoundTrim::Indirect, TRoundTrim::Off})
            for (int first = 1; first <= 3; ++first)
                for (int n = 1; n <= 14; ++n) {
                    SCOPED_TRACE(u"copies %1 trim %2 first %3 n %4"_s.arg(copies)
                                     .arg(int(trim))
                                     .arg(first)
                                     .arg(n)
                                     .toStdString());
                    auto doc = MakeDocument();
                    TRecordingTarget::TOptions o;
                    o.MakesCopies = copies;
                    JobRun cd(o), front(o);
                    cd.Run(Current(*doc, TPrintWhat::CDLabel, n, first, trim));
                    EXPECT_EQ((std::tuple{cd.target.PagesOnPaper(TPageKind::CDLabel), cd.target.IsPrinting()}),
                              std::tuple(n, false));
                    front.Run(Current(*doc, TPrintWhat::InlayFront, n, first, trim));
                    EXPECT_EQ(front.target.PagesOnPaper(TPageKind::InlayVorder), n);
                    // The first sheet never uses a place before the chosen one.
                    for (const auto &p : cd.target.Placements) {
                        if (p.Sheet == 1) {
                            EXPECT_GE(p.Position, first);
                        }
                    }
                }
}

TEST(PrintJob, SelectionOfDocumentsPerPlace)
{
    auto a = MakeDocument(), b = MakeDocument();
    TPrintRequest r;
    r.Mode = TPrintMode::Selection;
    r.CDPlaces = {nullptr, a.get(), nullptr};
    r.Trim = TRoundTrim::Indirect;
    JobRun alone;
    alone.Run(r);
    EXPECT_EQ((std::tuple{alone.Sequence(), alone.host.Messages.isEmpty()}), std::tuple(u"begin cd@2 end"_s, true));

    r.CDPlaces = {a.get(), b.get(), nullptr};
    r.Sheets = 2;
    JobRun passes(Copying());
    passes.Run(r);
    EXPECT_EQ(passes.Sequence(), u"begin cd@1 end begin cd@2 page cd@1 end begin cd@2 end"_s);

    // Five sheets without serial numbers: drawn once, the driver copies them.
    r.Trim = TRoundTrim::Direct;
    r.CDPlaces = {a.get(), b.get(), a.get()};
    r.Sheets = 5;
    JobRun copies(Copying());
    copies.Run(r);
    EXPECT_EQ(copies.Sequence(), u"copies 5 begin cd@1 cd@2 cd@3 end copies 1"_s);
    EXPECT_EQ((std::tuple{copies.target.PagesOnPaper(TPageKind::CDLabel), copies.target.CopyCount()}),
              std::tuple(15, 1));

    // A serial number on one of them: every sheet drawn.
    TCDLSerNo *s = AddSerialNumber(b->Label(), 1);
    r.What = TPrintWhat::InlayBack;
    r.BackPlaces = {nullptr, b.get()};
    JobRun backs(Copying());
    backs.Run(r);
    EXPECT_EQ(backs.Sequence(), u"copies 5 begin back@2 end copies 1"_s);
    AddSerialNumber(b->Back(), 1);
    JobRun drawn(Copying());
    drawn.Run(r);
    EXPECT_EQ(drawn.Sequence(), u"begin back@2 page back@2 page back@2 page back@2 page back@2 end"_s);
    EXPECT_EQ(s->Counter, 1);
}

TEST(PrintJob, EveryOpenDocumentRunsOnAcrossSheets)
{
    auto a = MakeDocument(), b = MakeDocument(), c = MakeDocument();
    std::vector<TCDLSerNo *> serials;
    for (auto *d : {a.get(), b.get(), c.get()})
        serials.push_back(AddSerialNumber(d->Label(), 1));
    TPrintRequest r;
    r.Mode = TPrintMode::AllOpen;
    r.Open = {a.get(), b.get(), c.get()};
    r.Count = 2;
    JobRun direct;
    direct.Run(r);
    EXPECT_EQ(direct.Sequence(), u"begin cd@1 cd@2 cd@3 page cd@1 cd@2 cd@3 end"_s);
    EXPECT_EQ(direct.host.ProgressSeen.back(), std::make_pair(2, 2));
    for (TCDLSerNo *s : serials)
        EXPECT_EQ(s->Counter, 3);

    // Indirect: places in the order 1, 3, 2; starting at place 3 leaves
    // the used places 1 and 2 of the first sheet alone.
    r.Trim = TRoundTrim::Indirect;
    r.Open = {a.get(), b.get()};
    JobRun indirect;
    indirect.Run(r);
    EXPECT_EQ(indirect.Sequence(), u"begin cd@1 cd@3 end begin cd@2 page cd@1 end"_s);
    r.FirstPlace = 3;
    JobRun late;
    late.Run(r);
    EXPECT_EQ(late.Sequence(), u"begin cd@3 page cd@1 cd@3 end begin cd@2 end"_s);

    r.What = TPrintWhat::InlayFront;
    r.Open = {a.get(), nullptr, b.get(), c.get()};
    r.Count = 1;
    JobRun inlays;
    inlays.Run(r);
    EXPECT_EQ(inlays.Sequence(), u"begin front@1 front@2 page front@1 end"_s);
    r.What = TPrintWhat::FrontAndBack;
    JobRun both;
    both.Run(r);
    EXPECT_EQ(both.Sequence(), u"begin front@3 back@3 page front@3 back@3 page front@3 back@3 end"_s);
}

TEST(PrintJob, CancelStopsBeforeTheNextSheetOrLabelAndEndsTheDocument)
{
    struct Case
    {
        int cancelAt;
        const char16_t *sequence;
        int counter;
    };
    // Polled before each sheet and before each label but a sheet's first,
    // so no blank sheet comes out; and before a second pass.
    const Case cases[] = {
        {1, u"", 1},
        {4, u"begin cd@1 cd@2 cd@3 end", 4},
        {5, u"begin cd@1 cd@2 cd@3 page cd@1 end", 5},
    };
    for (const Case &c : cases) {
        auto doc = MakeDocument();
        TCDLSerNo *s = AddSerialNumber(doc->Label(), 1);
        JobRun run;
        run.host.CancelAt = c.cancelAt;
        run.Run(Current(*doc, TPrintWhat::CDLabel, 9));
        EXPECT_EQ((std::tuple{run.result.Status, run.Sequence(), s->Counter}),
                  std::tuple(TJobResult::TStatus::Cancelled, QString::fromUtf16(c.sequence), c.counter));
    }
    auto doc = MakeDocument();
    JobRun indirect;
    indirect.host.CancelAt = 3;
    indirect.Run(Current(*doc, TPrintWhat::CDLabel, 3, 1, TRoundTrim::Indirect));
    EXPECT_EQ(indirect.Sequence(), u"begin cd@1 cd@3 end"_s);
    EXPECT_TRUE(indirect.host.Messages.isEmpty());
}

TEST(PrintJob, PrinterErrorsAreReportedAndTheDocumentStillEnds)
{
    auto doc = MakeDocument();
    JobRun run(Copying());
    run.target.OnEvent = [](const QString &e) {
        if (e == u"cd@2"_s)
            throw ELocalizedError(u"Paper jam"_s);
    };
    run.Run(Current(*doc, TPrintWhat::CDLabel, 7));
    EXPECT_EQ((std::tuple{run.result.Status, run.result.Message, run.Sequence(), run.target.CopyCount()}),
              std::tuple(TJobResult::TStatus::Failed, GetText(756) + u" Paper jam"_s,
                         u"copies 2 begin cd@1 end copies 1"_s, 1));
}

// A document the printer did not take uses up no numbers; those of
// documents it took before stay used, and the labels drawn before the
// failure still go out with the ended document.
TEST(PrintJob, NumbersOfLabelsThatNeverReachedThePrinterAreGivenBack)
{
    auto doc = MakeDocument();
    TCDLSerNo *s = AddSerialNumber(doc->Label(), 5);
    for (int failingEnd : {1, 2}) {
        s->Counter = 5;
        doc->Label().Modified = false;
        JobRun run;
        int ends = 0;
        run.target.OnEvent = [&](const QString &e) {
            if (e == u"end"_s && ++ends == failingEnd)
                throw ELocalizedError(u"Queue gone"_s);
        };
        // Two passes: cd@1 cd@3, then cd@2.
        run.Run(Current(*doc, TPrintWhat::CDLabel, 3, 1, TRoundTrim::Indirect));
        SCOPED_TRACE(failingEnd);
        EXPECT_EQ(run.result.Status, TJobResult::TStatus::Failed);
        EXPECT_EQ(run.result.Message, GetText(756) + u" Queue gone"_s);
        EXPECT_EQ((std::tuple{s->Counter, doc->Label().Modified}),
                  std::tuple(failingEnd == 1 ? 5 : 7, failingEnd == 2));
    }

    // A failure while drawing ends the open document: its labels are out.
    JobRun jam;
    s->Counter = 5;
    jam.target.OnEvent = [](const QString &e) {
        if (e == u"cd@3"_s)
            throw ELocalizedError(u"Paper jam"_s);
    };
    jam.Run(Current(*doc, TPrintWhat::CDLabel, 3));
    EXPECT_EQ((std::tuple{jam.result.Status, s->Counter}), std::tuple(TJobResult::TStatus::Failed, 7));
}

TEST(PrintJob, RefusedJobsTouchNoPrinter)
{
    auto doc = MakeDocument();
    TCDLSerNo *list = AddSerialNumber(doc->Label(), 0);
    list->UseValueList = true;
    list->Values = QStringList{u"a"_s, u"b"_s, u"c"_s};
    JobRun run;
    run.Run(Current(*doc, TPrintWhat::CDLabel, 4));
    EXPECT_EQ((std::tuple{run.result.Status, run.result.Message, run.target.Events.isEmpty(), list->Counter}),
              std::tuple(TJobResult::TStatus::Refused, GetText(751), true, 0));
}

} // namespace
