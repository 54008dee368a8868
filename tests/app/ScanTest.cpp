#include "AppFixture.h"
#include "ScanDialogs.h"
#include "scanning/SaneTestDevice.h"

#include <QListWidget>

TEST_F(AppTest, ScanChoosesTheSourceRemembersItAndTellsWhyItFailed)
{
    TPageWidget page;
    {
        TSaneTestDevice none({}, false);
        EXPECT_TRUE(page.AskScan().isNull());
    }
    TSaneTestDevice sane;
    WhenModal<TScanSourceDialog>([](TScanSourceDialog *d) {
        d->findChild<QListWidget *>(QStringLiteral("lbSources"))->setCurrentRow(1);
        d->accept();
    });
    EXPECT_EQ(page.AskScan().size(), QSize(118, 118));
    EXPECT_EQ(ReadScanSource(), QStringLiteral("test:1"));
    WhenModal<TScanSourceDialog>([](TScanSourceDialog *d) {
        EXPECT_EQ(d->Device(), QStringLiteral("test:1"));
        d->reject();
    });
    EXPECT_TRUE(page.AskScan().isNull());
    {
        TSaneTestDevice failing("read-status-code SANE_STATUS_IO_ERROR");
        WhenModal<TScanSourceDialog>([](TScanSourceDialog *d) { d->accept(); });
        EXPECT_TRUE(page.AskScan().isNull());
    }
    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_EQ((std::tuple{Boxes[0].Text, Boxes[1].Text}), std::tuple(GetText(1544), GetText(1545)));
}
