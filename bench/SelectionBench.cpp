// Commands on a full page (30,000 frames) that touch every frame at once:
// select all, invert, align, delete and undo, copy and paste. Each must stay
// linear in the frame count; a quadratic step shows as seconds here.
// Prints medians; run a Release build for numbers worth comparing.

#include "Arrange.h"
#include "BenchSupport.h"
#include "ClipData.h"
#include "Clipboard.h"
#include "Page.h"
#include "Selecting.h"
#include "Shapes.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

struct TSilentWindow : TPageHost
{
};

void Fill(TCDLPage &page)
{
    for (int i = 0; i < MaxFramesPerPage; ++i) {
        auto f = std::make_unique<TCDLRechteck>(&page, (i % 200) * 5 - 500, (i / 200) * 5 - 400);
        f->Width = f->Height = 4;
        page.AddFrame(std::move(f));
    }
}

void Row(const char *what, double ms) { std::printf("  %-34s %9.2f ms\n", what, ms); }

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenUnlessChosen();
    QGuiApplication app(argc, argv);
    TSilentWindow window;
    auto page = CreatePage(TPageKind::CDLabel, &window);
    Fill(*page);
    constexpr int runs = 3;
    std::printf("whole-page commands on %d frames:\n", page->FrameCount());

    Row("select all", MedianMs(runs, [&](int) { page->SelectAll(); }));
    Row("invert selection (all to none)", MedianMs(runs, [&](int) {
            page->SelectAll();
            InvertSelection(*page);
        }));
    Row("align left + undo", MedianMs(runs, [&](int) {
            page->SelectAll();
            Align(*page, TAlignMode::Left);
            page->Undo.Undo();
        }));
    Row("delete all + undo", MedianMs(runs, [&](int) {
            page->SelectAll();
            page->DeleteSelected();
            page->Undo.Undo();
        }));
    TClipData clip;
    Row("copy all", MedianMs(runs, [&](int) {
            page->SelectAll();
            clip = CopyFromPage(*page);
        }));
    Row("cut all + paste", MedianMs(runs, [&](int) {
            page->SelectAll();
            clip = CutFromPage(*page);
            PasteIntoPage(*page, clip);
        }));
    Row("undo of a paste of all", MedianMs(runs, [&](int) {
            page->SelectAll();
            clip = CutFromPage(*page);
            PasteIntoPage(*page, clip);
            page->Undo.Undo();
            page->Undo.Undo();
        }));
    std::printf("  frames at the end                  %9d\n", page->FrameCount());
    return 0;
}
