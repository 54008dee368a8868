#include "AppFixture.h"

#include "PreviewChild.h"
#include "PrintDialog.h"
#include "PrintPreview.h"
#include "printing/PrintTestSupport.h"

#include <QPushButton>
#include <QSpinBox>

namespace {

using namespace Qt::StringLiterals;

using PreviewWindowsTest = OneDocumentTest;

TEST_F(PreviewWindowsTest, PreviewPagesBetweenItsEndsAndUsesNoSerialNumbers)
{
    TCDLSerNo *s = AddSerialNumber(child->Document().Label(), 5);
    child->Document().SetModified(false);
    // labels: the count asked for; then the sheets' states as bNext is clicked.
    auto preview = [&](int labels, const std::function<void(TPrintPreview *)> &check) {
        bool seen = false;
        WhenModal<TDrucken>([&](TDrucken *d) {
            d->findChild<QSpinBox *>(u"AnzahlEtiketten"_s)->setValue(labels);
            WhenModal<TPrintPreview>([&](TPrintPreview *p) {
                seen = true;
                check(p);
                p->findChild<QPushButton *>(u"bClose"_s)->click();
            });
            d->findChild<QPushButton *>(u"bPrintPreview"_s)->click();
            d->reject();
        });
        Trigger(*main, "miDrucken");
        EXPECT_TRUE(seen);
    };
    auto states = [](TPrintPreview *p) {
        return QString::number(p->Sheet()) + (p->findChild<QPushButton *>(u"bPrev"_s)->isEnabled() ? u"<"_s : u""_s)
               + (p->findChild<QPushButton *>(u"bNext"_s)->isEnabled() ? u">"_s : u""_s);
    };
    preview(1, [&](TPrintPreview *p) {
        EXPECT_EQ((std::tuple{states(p), p->width()}), std::tuple(u"1"_s, p->height() * 2100 / 2970));
    });
    preview(20, [&](TPrintPreview *p) {
        QStringList seen{states(p)};
        for (int i = 0; i < 7; ++i) {
            p->bNextClick();
            seen.append(states(p));
        }
        p->bPrevClick();
        seen.append(states(p));
        EXPECT_EQ(seen.join(u' '), u"1> 2<> 3<> 4<> 5<> 6<> 7< 7< 6<>"_s);
    });
    EXPECT_EQ((std::tuple{s->Counter, child->Document().Modified()}), std::tuple(5, false));
}

TEST_F(PreviewWindowsTest, PageViewOpensWhereItWasLeftAndKeepsThatPlaceWhenMaximized)
{
    auto open = [&](const std::function<void(TPreviewChild *)> &f) {
        WhenModal<TPreviewChild>([&](TPreviewChild *v) {
            f(v);
            v->close();
        });
        Trigger(*main, "miSeitenansicht");
    };
    WritePageView({150, 120, 500, 400, false});
    open([](TPreviewChild *v) {
        EXPECT_EQ(v->windowTitle(), GetText(204) + u" Neu1"_s);
        EXPECT_EQ(QRect(v->pos(), v->size()), QRect(150, 120, 500, 400));
        v->setWindowState(Qt::WindowMaximized);
    });
    EXPECT_EQ(ReadPageView(), (TPageViewPlacement{150, 120, 500, 400, true}));
    open([](TPreviewChild *v) {
        EXPECT_TRUE(v->isMaximized());
        v->setWindowState(Qt::WindowNoState);
        v->move(160, 130);
    });
    EXPECT_EQ((std::tuple{ReadPageView().X, ReadPageView().Maximized}), std::tuple(160, false));

    // Garbage in the file is no place: the default one.
    ASSERT_TRUE(WriteAll(Path(u"ZYRELL.INI"_s), "[MISC]\nPRVX=abc\nPRVY=\nPRVW=-40\nPRVH=9x\nPRVMAX=maybe\n"));
    open([](TPreviewChild *v) { EXPECT_EQ(QRect(v->pos(), v->size()), QRect(100, 100, 400, 300)); });

    const QList<QRect> screens{{0, 0, 1600, 1000}, {1600, 200, 1280, 800}};
    struct Case
    {
        TPageViewPlacement stored;
        QRect expected;
    } cases[] = {
        {{1700, 300, 400, 300}, {1700, 300, 400, 300}},    // on the second screen
        {{-5000, 40, 400, 300}, {100, 100, 400, 300}},     // on no screen
        {{1500, 900, 400, 300}, {1600, 700, 400, 300}},    // mostly on the second: moved onto it
        {{10, 10, 0, 300}, {100, 100, 400, 300}},          // no size
        {{INT32_MAX, 10, 400, 300}, {100, 100, 400, 300}}, // would overflow
        {{0, 0, 100000, 99999}, {0, 0, 1600, 1000}},       // larger than its screen
        {{1700, 300, 5000, 5000}, {1600, 200, 1280, 800}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PageViewGeometry(c.stored, screens), c.expected) << c.stored.X << "," << c.stored.Y;
}

} // namespace
