// The module of the picture formats Qt cannot read: Magick++, always with
// the coder named (so the library never guesses one of its many others from
// the content) and with its resources capped once for the process, on the
// first picture that needs it.

#include "Imaging.h"
#include "ModuleEntries.h"

#include <Magick++.h>

#include <mutex>

namespace Imaging {

namespace {

void SetUpOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Magick::InitializeMagick(nullptr);
        Magick::ResourceLimits::width(MaxSide);
        Magick::ResourceLimits::height(MaxSide);
        Magick::ResourceLimits::area(MaxPixels);
        Magick::ResourceLimits::memory(MaxPixels * 8);
        Magick::ResourceLimits::map(MaxPixels * 8);
        Magick::ResourceLimits::disk(0);
        Magick::ResourceLimits::thread(1);
        // No time limit: it counts from the first use in the process, and
        // running past it is fatal, which ends the whole program.
    });
}

} // namespace

QImage DecodeWithMagick(const QByteArray &data, const char *coder)
{
    SetUpOnce();
    try {
        const Magick::Blob blob(data.constData(), size_t(data.size()));
        Magick::Image probe;
        probe.quiet(true);
        probe.magick(coder);
        probe.ping(blob);
        const size_t w = probe.columns(), h = probe.rows();
        if (w == 0 || h == 0 || w > size_t(MaxSide) || h > size_t(MaxSide) || qint64(w * h) > MaxPixels)
            return {};
        Magick::Image image;
        image.quiet(true);
        image.magick(coder);
        image.read(blob);
        if (image.columns() != w || image.rows() != h)
            return {};
        QImage out(int(w), int(h), QImage::Format_RGBA8888);
        if (out.isNull())
            return {};
        image.write(0, 0, w, h, "RGBA", Magick::CharPixel, out.bits());
        return out;
    } catch (const std::exception &) {
        return {};
    }
}

} // namespace Imaging

extern "C" Q_DECL_EXPORT void QmDecodeForeign(const QByteArray &data, const char *coder, QImage *out)
{
    *out = Imaging::DecodeWithMagick(data, coder);
}
