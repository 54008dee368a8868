#include "SaneTestDevice.h"
#include "ScanPage.h"

#include <gtest/gtest.h>

// The grid has 10 mm squares, white at the top left: at 150 dpi a square is
// 59 pixels, the whole page 118. The colour pattern has rows of red, green
// and blue squares of five pixels.
TEST(Scanner, EveryFrameFormatGivesThePatternAtTheResolution)
{
    const struct
    {
        const char *settings;
        bool color, grid;
        int width;
    } rows[] = {
        {"", true, false, 118},
        {"three-pass true\nthree-pass-order BGR", true, false, 118},
        {"depth 16", true, true, 118},
        {"depth 1", true, true, 118},
        {"depth 16", false, true, 118},
        {"depth 1", false, true, 118},
        {"hand-scanner true", false, true, 649}, // a fixed 11 cm, its length unknown
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.settings);
        TSaneTestDevice sane(QByteArray(row.grid ? "test-picture Grid\n" : "test-picture \"Color pattern\"\n")
                             + row.settings);
        const std::vector<TScanDevice> devices = ScanDevices();
        ASSERT_EQ(devices.size(), 2u);
        const TScanResult r = Acquire({devices[1].Name, 150, row.color});
        ASSERT_EQ(r.Status, TScanStatus::Ok) << r.Detail.toStdString();
        EXPECT_GE(r.Image.height(), 118);
        EXPECT_EQ((std::tuple{r.Image.width(), r.Image.dotsPerMeterX(), r.Image.format()}),
                  std::tuple(row.width, 5906, row.color ? QImage::Format_RGB32 : QImage::Format_Grayscale8));
        if (!row.grid) {
            EXPECT_EQ((std::tuple{r.Image.pixel(3, 8), r.Image.pixel(3, 18), r.Image.pixel(3, 28)}),
                      std::tuple(qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)));
        } else {
            EXPECT_EQ((std::tuple{r.Image.pixel(10, 10), r.Image.pixel(80, 10), r.Image.pixel(10, 80),
                                  r.Image.pixel(80, 80)}),
                      std::tuple(qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(0, 0, 0), qRgb(255, 255, 255)));
        }
    }
}

TEST(Scanner, FailuresAndCancelAreTold)
{
    {
        TSaneTestDevice sane;
        EXPECT_EQ(Acquire({QStringLiteral("test:9")}).Status, TScanStatus::Unreachable);
        EXPECT_EQ(Acquire({QStringLiteral("test:0")}, [](int) { return false; }).Status, TScanStatus::Cancelled);
        EXPECT_EQ(Acquire({QStringLiteral("test:0")}).Image.height(), 118);
    }
    TSaneTestDevice none({}, false);
    EXPECT_TRUE(ScanDevices().empty());
}

// Parameters a faulty device might state, and more lines than it announced.
TEST(Scanner, PageTakesOnlyWhatTheParametersAllow)
{
    const auto params = [](SANE_Frame f, int bpl, int ppl, int lines) {
        return SANE_Parameters{f, 1, bpl, ppl, lines, 8};
    };
    EXPECT_FALSE(TScanPage().BeginFrame(params(SANE_FRAME_RGB, 29, 10, 5)));            // line too short
    EXPECT_FALSE(TScanPage().BeginFrame(params(SANE_FRAME_GRAY, 30000, 30000, 30000))); // too large
    EXPECT_FALSE(TScanPage().BeginFrame(params(SANE_Frame(7), 10, 10, 5)));             // unknown format
    TScanPage page;
    ASSERT_TRUE(page.BeginFrame(params(SANE_FRAME_GRAY, 12, 10, 2)));
    const std::vector<unsigned char> bytes(12 * 5, 0);
    EXPECT_EQ((std::tuple{page.Add(bytes.data(), int(bytes.size())), page.Image().size()}),
              std::tuple(true, QSize(10, 2)));
    EXPECT_FALSE(page.BeginFrame(params(SANE_FRAME_RED, 10, 10, 2))); // no colour after grey
}
