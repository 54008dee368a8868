// The scanning module: SANE and the libraries it brings, loaded on the first
// use of a scanner (Scanner.cpp).

#include "ModuleEntries.h"
#include "ScanPage.h"
#include "Scanner.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <sane/sane.h>
#include <sane/saneopts.h>

namespace {

bool g_saneUp = false;

void ShutDown()
{
    if (g_saneUp)
        sane_exit();
    g_saneUp = false;
}

bool EnsureSane()
{
    if (!g_saneUp) {
        SANE_Int version = 0;
        g_saneUp = sane_init(&version, nullptr) == SANE_STATUS_GOOD;
        static bool registered = false;
        if (g_saneUp && !registered) {
            qAddPostRoutine(ShutDown);
            registered = true;
        }
    }
    return g_saneUp;
}

QString Text(SANE_String_Const s) { return s ? QString::fromUtf8(s) : QString(); }

TScanResult Failure(TScanStatus status, const QString &detail) { return {status, {}, detail}; }

TScanResult Failure(SANE_Status status)
{
    return {status == SANE_STATUS_CANCELLED ? TScanStatus::Cancelled : TScanStatus::Unreachable,
            {},
            Text(sane_strstatus(status))};
}

// An open device, closed again on every way out.
class TOpenDevice
{
public:
    explicit TOpenDevice(SANE_Handle h) : m_h(h) {}
    ~TOpenDevice()
    {
        sane_cancel(m_h);
        sane_close(m_h);
    }
    TOpenDevice(const TOpenDevice &) = delete;
    TOpenDevice &operator=(const TOpenDevice &) = delete;
    SANE_Handle Handle() const { return m_h; }

    // The option's number and description, when it is there and can be set now.
    int Find(const char *name, const SANE_Option_Descriptor **desc) const
    {
        SANE_Int count = 0;
        if (sane_control_option(m_h, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
            return -1;
        for (int i = 1; i < count; ++i) {
            const SANE_Option_Descriptor *d = sane_get_option_descriptor(m_h, i);
            if (d && d->name && std::strcmp(d->name, name) == 0 && SANE_OPTION_IS_ACTIVE(d->cap)
                && SANE_OPTION_IS_SETTABLE(d->cap)) {
                *desc = d;
                return i;
            }
        }
        return -1;
    }

    // The choice of a word option nearest to want; nothing for other kinds.
    std::optional<SANE_Word> Nearest(const SANE_Option_Descriptor *d, double want) const
    {
        const bool fixed = d->type == SANE_TYPE_FIXED;
        if ((!fixed && d->type != SANE_TYPE_INT) || d->size != SANE_Int(sizeof(SANE_Word)))
            return {};
        const auto toWord = [fixed](double v) { return fixed ? SANE_FIX(v) : SANE_Word(std::lround(v)); };
        const auto toValue = [fixed](SANE_Word w) { return fixed ? SANE_UNFIX(w) : double(w); };
        SANE_Word best = 0;
        if (d->constraint_type == SANE_CONSTRAINT_RANGE) {
            const SANE_Range *r = d->constraint.range;
            best = std::clamp(toWord(std::clamp(want, toValue(r->min), toValue(r->max))), r->min, r->max);
            if (r->quant > 0)
                best = std::min(r->max, r->min + (best - r->min + r->quant / 2) / r->quant * r->quant);
        } else if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
            const SANE_Word *list = d->constraint.word_list;
            if (list[0] < 1)
                return {};
            best = list[1];
            for (int i = 2; i <= list[0]; ++i)
                if (std::abs(toValue(list[i]) - want) < std::abs(toValue(best) - want))
                    best = list[i];
        } else {
            best = toWord(want);
        }
        return best;
    }

    void SetWord(const char *name, double want)
    {
        const SANE_Option_Descriptor *d = nullptr;
        const int i = Find(name, &d);
        if (i < 0)
            return;
        if (std::optional<SANE_Word> w = Nearest(d, want))
            sane_control_option(m_h, i, SANE_ACTION_SET_VALUE, &*w, nullptr);
    }

    // The first choice of the mode list that names the kind, in SANE's
    // spelling first.
    void SetMode(bool color)
    {
        const SANE_Option_Descriptor *d = nullptr;
        const int i = Find(SANE_NAME_SCAN_MODE, &d);
        if (i < 0 || d->type != SANE_TYPE_STRING || d->constraint_type != SANE_CONSTRAINT_STRING_LIST)
            return;
        const QString exact = QString::fromLatin1(color ? SANE_VALUE_SCAN_MODE_COLOR : SANE_VALUE_SCAN_MODE_GRAY);
        const QString word = color ? QStringLiteral("colo") : QStringLiteral("gr");
        QByteArray chosen;
        for (const SANE_String_Const *s = d->constraint.string_list; *s && chosen.isEmpty(); ++s)
            if (Text(*s) == exact)
                chosen = *s;
        for (const SANE_String_Const *s = d->constraint.string_list; *s && chosen.isEmpty(); ++s)
            if (Text(*s).contains(word, Qt::CaseInsensitive))
                chosen = *s;
        if (chosen.isEmpty() || chosen.size() >= d->size)
            return;
        chosen.resize(d->size, '\0');
        sane_control_option(m_h, i, SANE_ACTION_SET_VALUE, chosen.data(), nullptr);
    }

    // The resolution set, 0 when the device has no such option.
    double Resolution() const
    {
        const SANE_Option_Descriptor *d = nullptr;
        SANE_Word w = 0;
        const int i = Find(SANE_NAME_SCAN_RESOLUTION, &d);
        if (i < 0 || d->size != SANE_Int(sizeof(SANE_Word))
            || sane_control_option(m_h, i, SANE_ACTION_GET_VALUE, &w, nullptr) != SANE_STATUS_GOOD)
            return 0;
        return d->type == SANE_TYPE_FIXED ? SANE_UNFIX(w) : d->type == SANE_TYPE_INT ? double(w) : 0;
    }

private:
    SANE_Handle m_h;
};

std::vector<TScanDevice> Devices()
{
    std::vector<TScanDevice> devices;
    const SANE_Device **list = nullptr;
    if (!EnsureSane() || sane_get_devices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list)
        return devices;
    for (; *list; ++list)
        devices.push_back({Text((*list)->name), Text((*list)->vendor), Text((*list)->model), Text((*list)->type)});
    return devices;
}

TScanResult AcquirePage(const TScanRequest &request, const TScanProgress &progress)
{
    if (!EnsureSane())
        return Failure(TScanStatus::NoDevice, QStringLiteral("SANE did not start"));
    SANE_Handle handle = nullptr;
    const QByteArray name = request.Device.toUtf8();
    if (const SANE_Status s = sane_open(name.constData(), &handle); s != SANE_STATUS_GOOD || !handle)
        return Failure(s == SANE_STATUS_GOOD ? SANE_STATUS_INVAL : s);
    TOpenDevice device(handle);

    // The whole area: the top left corner as far up and left as it goes,
    // the bottom right as far down and right. A setting the device refuses
    // leaves its own.
    device.SetMode(request.Color);
    device.SetWord(SANE_NAME_SCAN_RESOLUTION, request.Dpi);
    device.SetWord(SANE_NAME_SCAN_TL_X, -1e9);
    device.SetWord(SANE_NAME_SCAN_TL_Y, -1e9);
    device.SetWord(SANE_NAME_SCAN_BR_X, 1e9);
    device.SetWord(SANE_NAME_SCAN_BR_Y, 1e9);
    const double dpi = device.Resolution();

    TScanPage page;
    SANE_Parameters params{};
    unsigned char buffer[65536];
    do {
        if (const SANE_Status s = sane_start(handle); s != SANE_STATUS_GOOD)
            return Failure(s);
        if (const SANE_Status s = sane_get_parameters(handle, &params); s != SANE_STATUS_GOOD)
            return Failure(s);
        if (!page.BeginFrame(params))
            return Failure(TScanStatus::Unreachable, QStringLiteral("unusable frame parameters"));
        for (;;) {
            SANE_Int length = 0;
            const SANE_Status s = sane_read(handle, buffer, SANE_Int(sizeof buffer), &length);
            if (s == SANE_STATUS_EOF)
                break;
            if (s != SANE_STATUS_GOOD)
                return Failure(s);
            if (length < 0 || length > SANE_Int(sizeof buffer))
                return Failure(TScanStatus::Unreachable, QStringLiteral("impossible read length"));
            if (!page.Add(buffer, length))
                return Failure(TScanStatus::Unreachable, QStringLiteral("page too large"));
            if (progress && !progress(page.Percent()))
                return Failure(TScanStatus::Cancelled, {});
        }
    } while (!params.last_frame);

    TScanResult result{TScanStatus::Ok, page.Image(), {}};
    if (result.Image.isNull())
        return Failure(TScanStatus::Unreachable, QStringLiteral("no lines"));
    if (dpi > 0) {
        const int dpm = int(std::lround(dpi / 0.0254));
        result.Image.setDotsPerMeterX(dpm);
        result.Image.setDotsPerMeterY(dpm);
    }
    return result;
}

} // namespace

extern "C" Q_DECL_EXPORT void QmScanDevices(std::vector<TScanDevice> *out) { *out = Devices(); }

extern "C" Q_DECL_EXPORT void QmAcquire(const TScanRequest &request, const TScanProgress &progress, TScanResult *out)
{
    *out = AcquirePage(request, progress);
}

extern "C" Q_DECL_EXPORT void QmShutDownScanning() { ShutDown(); }
