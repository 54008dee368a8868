// The formats Qt cannot read are decoded by the imaging module, loaded with
// its library on the first such picture.

#include "Imaging.h"
#include "ModuleEntries.h"
#include "Modules.h"

namespace Imaging {

QImage DecodeForeign(const QByteArray &data, const char *coder)
{
    static const auto decode = reinterpret_cast<TDecodeForeign>(ModuleEntry(ImagingModule, DecodeForeignEntry));
    QImage out;
    if (decode)
        decode(data, coder, &out);
    return out;
}

} // namespace Imaging
