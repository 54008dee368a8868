#include "AppFixture.h"

#include "PageEditor.h"
#include "Shapes.h"

#include <QMdiSubWindow>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

using TShown = std::pair<TCDLPage *, TCDLFrame *>;
TShown Shown(TCDLPage *page, TCDLFrame *frame) { return {page, frame}; }

struct TRecordingHost : TDocumentHost
{
    TTool tool = TTool::Edit;
    int toolUses = 0, stateChanges = 0, pagesShown = 0;
    QString status, pointer;
    std::vector<TShown> shown;
    std::vector<TActiveDocument *> closed, destroyed;

    TTool CurrentTool() const override { return tool; }
    void ToolUsed() override
    {
        ++toolUses;
        tool = TTool::Edit;
    }
    void ShowStatus(const QString &t) override { status = t; }
    void ShowPointer(const QString &t) override { pointer = t; }
    void CommandStatesChanged(TActiveDocument &) override { ++stateChanges; }
    void PageShown(TActiveDocument &) override { ++pagesShown; }
    void ShownFrameChanged(TActiveDocument &, TCDLPage &page, TCDLFrame *frame) override
    {
        shown.emplace_back(&page, frame);
    }
    bool IsOpenElsewhere(const QString &, const TActiveDocument &) const override { return false; }
    void DocumentClosed(TActiveDocument &d) override { closed.push_back(&d); }
    void DocumentDestroyed(TActiveDocument &d) override { destroyed.push_back(&d); }
};

// A rectangle that calls back as it is freed.
struct TWatchedRect : TCDLRechteck
{
    TWatchedRect(TCDLPage *page, int x, int y, std::function<void(TCDLFrame *)> freed)
        : TCDLRechteck(page, x, y), m_freed(std::move(freed))
    {
        SetDefaults();
    }
    ~TWatchedRect() override { m_freed(this); }

private:
    std::function<void(TCDLFrame *)> m_freed;
};

} // namespace

TEST_F(AppTest, DocumentWindowStandsWithoutTheMainWindowAndReportsToItsHost)
{
    TRecordingHost host;
    auto *c = new TChildWin(&host, u"Alone"_s);
    c->resize(700, 600);
    c->show();
    Process();
    EXPECT_GE(host.pagesShown, 1);
    TActiveDocument &d = *c;
    d.ShowPage(1);
    EXPECT_EQ((std::tuple{c->PageIndex(), d.ActivePage()}), std::tuple(1, &c->Document().Front()));

    // The host's tool makes a frame, which the notice carries; the tool is used up.
    host.tool = TTool::Rectangle;
    c->PageControl()->repaint();
    const QPoint centre = c->PageControl()->rect().center();
    Mouse(c->PageControl(), QEvent::MouseMove, centre, Qt::NoButton, Qt::NoButton);
    Click(c->PageControl(), centre);
    TCDLPage &page = *d.ActivePage();
    ASSERT_EQ(page.FrameCount(), 1);
    EXPECT_EQ((std::tuple{host.toolUses, host.tool}), std::tuple(1, TTool::Edit));
    ASSERT_FALSE(host.shown.empty());
    EXPECT_EQ((std::tuple{host.shown.back(), host.status, host.pointer.isEmpty()}),
              std::tuple(Shown(&page, page.FrameAt(0)), page.FrameAt(0)->Verbose(), false));
    EXPECT_GT(host.stateChanges, 0);

    d.Editor().DeleteSelected();
    EXPECT_EQ(host.shown.back(), Shown(&page, nullptr));
    d.UndoLast();
    EXPECT_EQ(host.shown.back(), Shown(&page, page.FrameAt(0)));

    // Closing without saving reports once; the window then goes and says so
    // while its pages are still there.
    Answers = {mrNo};
    QPointer<TChildWin> gone(c);
    d.CloseDocument();
    EXPECT_EQ(host.closed, std::vector<TActiveDocument *>{&d});
    Process();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ((std::tuple{gone.isNull(), host.destroyed}), std::tuple(true, std::vector<TActiveDocument *>{&d}));
}

TEST_F(AppTest, MainWindowTellsTheFrameOnShowAcrossDocumentsPagesAndClosing)
{
    TMDIForm m;
    m.resize(1000, 800);
    m.show();
    std::vector<TShown> told;
    QObject::connect(&m, &TMDIForm::shownFrameChanged, [&](TCDLPage *p, TCDLFrame *f) { told.emplace_back(p, f); });
    int heldAtFree = 0;
    auto freed = [&](TCDLFrame *f) {
        if (!told.empty() && told.back().second == f)
            ++heldAtFree;
    };

    TChildWin *a = m.New();
    TCDLPage &pageA = *a->ActivePage();
    pageA.AddFrame(std::make_unique<TWatchedRect>(&pageA, -200, -200, freed));
    TCDLFrame *fa = pageA.FrameAt(0);
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back(), Shown(&pageA, nullptr));
    Trigger(m, "miAllesMarkieren");
    EXPECT_EQ(told.back(), Shown(&pageA, fa)) << "select all of one frame";

    // Another document on show: its page, nothing selected there.
    TChildWin *b = m.New();
    EXPECT_EQ(told.back(), Shown(b->ActivePage(), nullptr));
    a->ActivePage()->DeselectAll();
    EXPECT_EQ(told.back().first, b->ActivePage()) << "a document not on show is not told";
    Trigger(m, "miInlayRueck");
    EXPECT_EQ(told.back(), Shown(&b->Document().Back(), nullptr));

    Trigger(m, "miAllesMarkieren");
    m.MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(a->parentWidget()));
    Process();
    EXPECT_EQ(told.back(), Shown(&pageA, nullptr));
    Trigger(m, "miAllesMarkieren");
    EXPECT_EQ(told.back(), Shown(&pageA, fa));

    // Closing the document on show moves to the other before its frames go.
    Trigger(m, "miSchliessen");
    EXPECT_EQ(told.back(), Shown(&b->Document().Back(), nullptr));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ((std::tuple{m.Children().size(), heldAtFree}), std::tuple(1, 0));

    Trigger(m, "miSchliessen");
    EXPECT_EQ(told.back(), Shown(nullptr, nullptr));
}
