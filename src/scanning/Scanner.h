#pragma once
// Scanners through SANE: the devices there are, and one page acquired from
// one of them as a QImage carrying the scan's resolution. SANE is started at
// the first use and stays up until ShutDownScanning.

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

struct TScanDevice
{
    QString Name; // what Acquire takes
    QString Vendor, Model, Type;
};

enum class TScanStatus { Ok, Cancelled, NoDevice, Unreachable };

struct TScanResult
{
    TScanStatus Status = TScanStatus::Unreachable;
    QImage Image;
    // SANE's own words for a failure, for whoever logs it.
    QString Detail;
};

struct TScanRequest
{
    QString Device;
    int Dpi = 150;
    bool Color = true;
};

// Told how far the page is, in percent (-1 while the length is unknown);
// answers false to cancel. It is the place to let pending events through.
using TScanProgress = std::function<bool(int percent)>;

// Empty when SANE cannot start or finds nothing.
std::vector<TScanDevice> ScanDevices();
// The whole area the device offers, in the requested mode and the
// resolution nearest the one requested.
TScanResult Acquire(const TScanRequest &request, const TScanProgress &progress = {});
// Why scanning cannot work at all (its module did not load), localized;
// empty otherwise.
QString ScanningUnavailable();
// Ends SANE; the next call starts it again and reads its configuration anew.
void ShutDownScanning();

// Where a page never gets bigger than this, whatever the device says.
inline constexpr qint64 MaxScanPixels = 120'000'000;
inline constexpr int MaxScanSide = 32'000;
