// Sheet counts, the printable check and the paper-colour check.

#include "PrintTestSupport.h"

#include "Strings.h"

#include <gtest/gtest.h>

namespace {

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

TEST(CheckPrintable, NothingSelected)
{
    auto doc = MakeDocument();
    TPrintRequest r;
    EXPECT_EQ(CheckPrintable(r), 750); // mode 1 without a document
    r.Active = doc.get();
    EXPECT_EQ(CheckPrintable(r), 0);

    r.Mode = TPrintMode::Selection;
    r.What = TPrintWhat::InlayFront;
    r.CDPlaces = {doc.get(), doc.get(), doc.get()}; // places of another kind
    EXPECT_EQ(CheckPrintable(r), 750);
    r.FrontPlaces[1] = doc.get();
    EXPECT_EQ(CheckPrintable(r), 0);
    r.What = TPrintWhat::FrontAndBack; // no places for this in mode 2
    EXPECT_EQ(CheckPrintable(r), 750);

    r.Mode = TPrintMode::AllOpen;
    r.What = TPrintWhat::CDLabel;
    r.Open = {nullptr};
    EXPECT_EQ(CheckPrintable(r), 750);
}

TEST(CheckPrintable, SerialNumberSupplyPerModeAndPage)
{
    auto a = MakeDocument(), b = MakeDocument();
    TCDLSerNo *list = AddSerialNumber(a->Label(), 0);
    list->UseValueList = true;
    list->Values = QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};

    TPrintRequest r;
    r.Active = a.get();
    r.Count = 3;
    EXPECT_EQ(CheckPrintable(r), 0);
    r.Count = 4;
    EXPECT_EQ(CheckPrintable(r), 751);
    EXPECT_EQ(GetText(751), GetText(CheckPrintable(r)));
    // Front and back look at both inlay pages.
    r.What = TPrintWhat::FrontAndBack;
    EXPECT_EQ(CheckPrintable(r), 0);
    AddSerialNumber(a->Back(), INT32_MAX - 3);
    EXPECT_EQ(CheckPrintable(r), 751);

    // Mode 2: a document named at two places needs two numbers per sheet.
    r.Mode = TPrintMode::Selection;
    r.What = TPrintWhat::CDLabel;
    r.CDPlaces = {a.get(), b.get(), nullptr};
    r.Sheets = 3;
    EXPECT_EQ(CheckPrintable(r), 0);
    r.CDPlaces = {a.get(), b.get(), a.get()};
    r.Sheets = 1;
    EXPECT_EQ(CheckPrintable(r), 0);
    r.Sheets = 2;
    EXPECT_EQ(CheckPrintable(r), 751);

    // Mode 3 prints Count labels of every open document, whatever mode 2 names.
    r.Mode = TPrintMode::AllOpen;
    r.CDPlaces = {b.get(), nullptr, nullptr};
    r.Open = {b.get(), a.get()};
    r.Count = 3;
    EXPECT_EQ(CheckPrintable(r), 0);
    r.Count = 4;
    EXPECT_EQ(CheckPrintable(r), 751);
}

TEST(PaperColors, ConflictOnlyBetweenDocumentsSharingTheSheets)
{
    auto white = MakeDocument(), red = MakeDocument(), none = MakeDocument(), none2 = MakeDocument();
    white->Label().PaperColorIndex = 0;
    red->Label().PaperColorIndex = 1;
    none2->Label().PaperColorIndex = -7;

    EXPECT_FALSE(PaperColorsConflict({white.get(), nullptr, white.get()}));
    EXPECT_TRUE(PaperColorsConflict({white.get(), nullptr, red.get()}));
    // No paper colour is a value of its own, however it is stored.
    EXPECT_TRUE(PaperColorsConflict({none.get(), white.get()}));
    EXPECT_FALSE(PaperColorsConflict({none.get(), none2.get()}));

    TPrintRequest r;
    r.Mode = TPrintMode::Selection;
    r.CDPlaces = {white.get(), nullptr, red.get()};
    r.Open = {white.get(), red.get()};
    r.Active = white.get();
    EXPECT_TRUE(PaperColorsConflict(PaperColorDocuments(r)));
    r.Mode = TPrintMode::AllOpen;
    EXPECT_TRUE(PaperColorsConflict(PaperColorDocuments(r)));
    // The current document alone shares its sheets with nobody.
    r.Mode = TPrintMode::Current;
    EXPECT_FALSE(PaperColorsConflict(PaperColorDocuments(r)));
    // Inlays carry no paper colour.
    r.Mode = TPrintMode::Selection;
    r.What = TPrintWhat::InlayFront;
    EXPECT_TRUE(PaperColorDocuments(r).empty());
}

TEST(ProgressLine, PageOfTotalInTheLanguage)
{
    EXPECT_EQ(ProgressLine(2, 5), GetText(754) + QStringLiteral(" 2 ") + GetText(755) + QStringLiteral(" 5"));
}

} // namespace
