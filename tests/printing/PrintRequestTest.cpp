#include "PrintChecks.h"
#include "PrintTestSupport.h"
#include "Strings.h"

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using TKind = TPrintFinding::TKind;

struct CountCase
{
    TPrintMode mode;
    TPrintWhat what;
    int count, first, sheets, documents;
    int expected;
};

TEST(CountSheets, EveryModeAndKind)
{
    using M = TPrintMode;
    using W = TPrintWhat;
    const CountCase cases[] = {
        {M::Current, W::CDLabel, 4, 2, 1, 1, 2},     {M::Current, W::CDLabel, 3, 1, 1, 1, 1},
        {M::Current, W::CDLabel, 1, 3, 1, 1, 1},     {M::Current, W::CDLabel, 2, 3, 1, 1, 2},
        {M::Current, W::CDLabel, 10, 1, 1, 1, 4},    {M::Current, W::InlayFront, 3, 1, 1, 1, 2},
        {M::Current, W::InlayBack, 4, 1, 1, 1, 2},   {M::Current, W::FrontAndBack, 5, 1, 1, 1, 5},
        {M::Selection, W::CDLabel, 7, 1, 5, 3, 5},   {M::Selection, W::InlayBack, 1, 1, 0, 3, 0},
        {M::AllOpen, W::CDLabel, 2, 1, 1, 3, 2},     {M::AllOpen, W::CDLabel, 2, 3, 1, 3, 3},
        {M::AllOpen, W::InlayFront, 3, 1, 1, 3, 5},  {M::AllOpen, W::FrontAndBack, 2, 1, 1, 3, 6},
        {M::AllOpen, W::CDLabel, 5, 1, 1, 0, 0},     {M::Current, W::CDLabel, 0, 2, 1, 1, 0},
        {M::Current, W::InlayFront, -3, 1, 1, 1, 0},
    };
    std::vector<std::unique_ptr<TCDLDocument>> docs;
    for (const CountCase &c : cases) {
        TPrintRequest r;
        r.Mode = c.mode;
        r.What = c.what;
        r.Count = c.count;
        r.FirstPlace = c.first;
        r.Sheets = c.sheets;
        docs.clear();
        for (int d = 0; d < c.documents; ++d)
            docs.push_back(MakeDocument());
        for (auto &d : docs)
            r.Open.push_back(d.get());
        EXPECT_EQ(CountSheets(r), c.expected) << int(c.mode) << ' ' << int(c.what) << ' ' << c.count << ' ' << c.first;
    }
}

QString Describe(const std::vector<TPrintFinding> &found)
{
    QStringList s;
    for (const TPrintFinding &f : found)
        s.append(f.Kind == TKind::Report ? u"report"_s
                                         : u"!? ~"_s.mid(int(f.Kind), 1) + QString::number(f.Text)
                                               + (f.Argument.isNull() ? QString() : u"(%1)"_s.arg(f.Argument)));
    return s.join(u' ');
}

// A: three list values left on the CD label, no paper colour; B: no paper
// colour stored otherwise; C: red paper; D: a back page three numbers short.
enum { A, B, C, D, None = -1 };

struct CheckCase
{
    TPrintMode mode = TPrintMode::Current;
    TPrintWhat what = TPrintWhat::CDLabel;
    int count = 1; // labels per document, or sheets in mode 2
    // Mode 1: the active document; mode 2: the places of the chosen kind;
    // mode 3: the open documents.
    std::vector<int> docs;
    TPrintFacts facts = {};
    const char *expected;
};

TEST(PrintFindings, EveryFindingInItsOrder)
{
    using M = TPrintMode;
    using W = TPrintWhat;
    std::unique_ptr<TCDLDocument> docs[] = {MakeDocument(), MakeDocument(), MakeDocument(), MakeDocument()};
    TCDLSerNo *list = AddSerialNumber(docs[A]->Label(), 0);
    list->UseValueList = true;
    list->Values = QStringList{u"1"_s, u"2"_s, u"3"_s};
    docs[B]->Label().PaperColorIndex = -7;
    docs[C]->Label().PaperColorIndex = 1;
    AddSerialNumber(docs[D]->Back(), INT32_MAX - 3);
    TCDLSerNo *code = AddSerialNumber(docs[C]->Front());
    std::tie(code->Barcode, code->FontName, code->NumberFormat) = std::tuple(true, u"C39HrP60DmTt"_s, u"N_#"_s);

    const CheckCase cases[] = {
        {.docs = {}, .expected = "!750"},
        {.count = 0, .docs = {A}, .expected = "!750"},
        {.count = 3, .docs = {A}, .expected = ""},
        {.count = 4, .docs = {A}, .expected = "!751"},
        {.what = W::FrontAndBack, .count = 4, .docs = {D}, .expected = "!751"},
        {.count = 4, .docs = {D}, .expected = ""},
        // The current document shares its sheets with nobody.
        {.docs = {C}, .expected = ""},
        // No paper colour is one value, however it is stored.
        {.mode = M::Selection, .count = 3, .docs = {A, B, None}, .expected = ""},
        {.mode = M::Selection, .count = 1, .docs = {A, B, A}, .expected = ""},
        {.mode = M::Selection, .count = 2, .docs = {A, B, A}, .expected = "!751"},
        {.mode = M::Selection, .count = 0, .docs = {A}, .expected = "!750"},
        {.mode = M::Selection, .what = W::InlayFront, .docs = {None, None}, .expected = "!750"},
        {.mode = M::Selection, .what = W::FrontAndBack, .docs = {}, .expected = "!750"},
        {.mode = M::Selection, .docs = {A, C}, .expected = "?760"},
        {.mode = M::Selection, .count = 2, .docs = {A, C, A}, .expected = "?760 !751"},
        {.mode = M::Selection, .what = W::InlayFront, .docs = {A, C}, .expected = "~1053(_)"},
        // Mode 3 prints count labels of every open document, whatever mode 2 names.
        {.mode = M::AllOpen, .count = 3, .docs = {B, A}, .expected = ""},
        {.mode = M::AllOpen, .count = 4, .docs = {B, A}, .expected = "!751"},
        {.mode = M::AllOpen, .count = 2, .docs = {A, A}, .expected = "!751"},
        {.mode = M::AllOpen, .docs = {None}, .expected = "!750"},
        {.mode = M::AllOpen, .docs = {A, C}, .expected = "?760"},
        {.mode = M::Selection,
         .count = 2,
         .docs = {A, C, A},
         .facts =
             {.Closed = {u"Doc 2"_s, u"Doc 3"_s}, .Queue = u"Laser"_s, .Queues = QStringList{}, .Diagnostic = true},
         .expected = "!1093(Doc 2, Doc 3) ?760 !1082(Laser) report !751"},
        {.docs = {A}, .facts = {.Closed = {}, .Queue = u"Laser"_s, .Queues = QStringList{u"Laser"_s}}, .expected = ""},
    };
    for (const CheckCase &c : cases) {
        TPrintRequest r;
        r.Mode = c.mode;
        r.What = c.what;
        r.Count = r.Sheets = c.count;
        std::vector<TCDLDocument *> named;
        for (int i : c.docs)
            named.push_back(i == None ? nullptr : docs[i].get());
        r.Open = {docs[A].get(), docs[B].get(), docs[C].get(), docs[D].get()};
        // Places of another kind never count.
        r.CDPlaces = {docs[A].get(), docs[C].get(), docs[A].get()};
        switch (c.mode) {
        case M::Current: r.Active = named.empty() ? nullptr : named.front(); break;
        case M::AllOpen: r.Open = named; break;
        case M::Selection:
            if (c.what == W::CDLabel)
                r.CDPlaces = {};
            for (size_t i = 0; i < named.size(); ++i)
                (c.what == W::CDLabel ? r.CDPlaces.data() : r.FrontPlaces.data())[i] = named[i];
            break;
        }
        EXPECT_EQ(Describe(PrintFindings(r, c.facts)), QString::fromLatin1(c.expected))
            << int(c.mode) << ' ' << int(c.what) << ' ' << c.count << ' ' << c.docs.size();
    }
}

TEST(OutputFindings, NeverADocumentByAnyNameAndWritableWhenAsked)
{
    QTemporaryDir dir;
    const QString doc = dir.filePath(u"doc.CDL"_s);
    QFile(doc).open(QIODevice::WriteOnly);
    std::filesystem::create_symlink(doc.toStdString(), dir.filePath(u"link.CDL"_s).toStdString());
    std::filesystem::create_hard_link(doc.toStdString(), dir.filePath(u"hard.CDL"_s).toStdString());
    for (const QString &out : {dir.filePath(u"./doc.CDL"_s), dir.filePath(u"link.CDL"_s), dir.filePath(u"hard.CDL"_s)})
        EXPECT_EQ(Describe(OutputFindings(out, {QString(), doc}, false)), u"!1097(%1)"_s.arg(out));
    const QString missing = dir.filePath(u"missing/out.pdf"_s);
    EXPECT_EQ((std::tuple{Describe(OutputFindings(missing, {doc}, true)), OutputFindings(missing, {doc}, false).empty(),
                          OutputFindings(dir.filePath(u"out.pdf"_s), {doc}, true).empty()}),
              std::tuple(u"!1080(%1)"_s.arg(missing), true, true));
}

TEST(ProgressLine, PageOfTotalInTheLanguage)
{
    EXPECT_EQ(ProgressLine(2, 5), GetText(754) + u" 2 "_s + GetText(755) + u" 5"_s);
}

} // namespace
