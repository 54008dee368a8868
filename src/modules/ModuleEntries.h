#pragma once
// The entries of the modules (Modules.h), by name and type: the program and
// each module include this one header, so both sides agree.

#include <functional>
#include <vector>

class QByteArray;
class QImage;
class QString;

// libquelmark-imaging: TGA, PCX and WMF through Magick++; a null image when
// the data is not a picture of that coder within the size limits.
inline constexpr char ImagingModule[] = "quelmark-imaging";
inline constexpr char DecodeForeignEntry[] = "QmDecodeForeign";
using TDecodeForeign = void (*)(const QByteArray &data, const char *coder, QImage *out);

// libquelmark-scanning: SANE's devices, one acquired page and SANE's end, as
// Scanner.h describes them.
struct TScanDevice;
struct TScanRequest;
struct TScanResult;
inline constexpr char ScanningModule[] = "quelmark-scanning";
inline constexpr char ScanDevicesEntry[] = "QmScanDevices";
inline constexpr char AcquireEntry[] = "QmAcquire";
inline constexpr char ShutDownScanningEntry[] = "QmShutDownScanning";
using TScanDevicesEntry = void (*)(std::vector<TScanDevice> *out);
using TAcquireEntry = void (*)(const TScanRequest &request, const std::function<bool(int)> &progress, TScanResult *out);
using TShutDownScanningEntry = void (*)();
