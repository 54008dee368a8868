#include "DisplaySession.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

// Smaller makes every control unreadable, larger leaves no room for the
// main window on any screen sold today.
constexpr double MinScale = 0.5, MaxScale = 5.0;

} // namespace

bool UsableScaleFactor(const QByteArray &value)
{
    bool ok = false;
    const double f = value.toDouble(&ok);
    return ok && f >= MinScale && f <= MaxScale;
}

QByteArray PreferredPlatform(const TEnvironment &env)
{
    if (!env("QT_QPA_PLATFORM").isEmpty())
        return {};
    const bool wayland = !env("WAYLAND_DISPLAY").isEmpty() || env("XDG_SESSION_TYPE") == "wayland";
    // Wayland stays the fallback should the X11 server refuse us.
    return wayland && !env("DISPLAY").isEmpty() ? QByteArray("xcb;wayland") : QByteArray();
}

void PrepareDisplaySession()
{
    const TEnvironment env = [](const char *name) { return qgetenv(name); };
    if (const QByteArray scale = env("QT_SCALE_FACTOR"); !scale.isEmpty() && !UsableScaleFactor(scale)) {
        std::fprintf(stderr, "quelmark: ignoring the display scale QT_SCALE_FACTOR=%s\n", scale.constData());
        qunsetenv("QT_SCALE_FACTOR");
    }
    if (const QByteArray platform = PreferredPlatform(env); !platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

bool PlacesTopLevelWindows() { return !QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }
