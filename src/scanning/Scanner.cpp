// SANE and its libraries are bound only when a scanner is first asked for:
// the scanning module holds them.

#include "Scanner.h"

#include "ModuleEntries.h"
#include "Modules.h"

namespace {

template <typename T> T Entry(const char *symbol) { return reinterpret_cast<T>(ModuleEntry(ScanningModule, symbol)); }

// Set once SANE may be up, so that ending it never loads the module.
bool g_used = false;

} // namespace

QString ScanningUnavailable() { return ModuleError(ScanningModule); }

std::vector<TScanDevice> ScanDevices()
{
    std::vector<TScanDevice> devices;
    if (const auto f = Entry<TScanDevicesEntry>(ScanDevicesEntry)) {
        g_used = true;
        f(&devices);
    }
    return devices;
}

TScanResult Acquire(const TScanRequest &request, const TScanProgress &progress)
{
    TScanResult result{TScanStatus::NoDevice, {}, {}};
    if (const auto f = Entry<TAcquireEntry>(AcquireEntry)) {
        g_used = true;
        f(request, progress, &result);
    } else {
        result.Detail = ModuleError(ScanningModule);
    }
    return result;
}

void ShutDownScanning()
{
    if (!g_used)
        return;
    if (const auto f = Entry<TShutDownScanningEntry>(ShutDownScanningEntry))
        f();
}
