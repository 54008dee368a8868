// Any byte string pasted into a page, as clipboard data or as a selection
// file, either inserts frames or is refused with a message; the page stays
// consistent either way.

#include "Clipboard.h"
#include "Errors.h"
#include "Page.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

namespace {

QGuiApplication *g_app = nullptr;

void Check(const TCDLPage &page)
{
    if (page.SelectionClip.Busy || page.FrameCount() > MaxFramesPerPage)
        std::abort();
    if (page.ActiveFrame() && (page.IndexOf(page.ActiveFrame()) < 0 || !page.Selection().IsEmpty()))
        std::abort();
    for (const TCDLFrame *f : page.Selection().Items())
        if (page.IndexOf(f) < 0)
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    g_app = new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    TCDLabel page(nullptr);
    TClipData clip;
    clip.HasPrivate = true;
    clip.Private = bytes;
    try {
        PasteIntoPage(page, clip);
    } catch (const ELocalizedError &) {
    }
    Check(page);
    try {
        ReadSelectionFile(page, bytes);
    } catch (const ELocalizedError &) {
    }
    Check(page);
    return 0;
}
