#pragma once
// What the display session lets the program do: the display scale asked
// for, and whether the program may place its own top-level windows.

#include <QByteArray>
#include <functional>

// The environment as the rules below read it: unset and empty are alike.
using TEnvironment = std::function<QByteArray(const char *name)>;

// A display scale the program can show itself at; anything else (not a
// number, 0, 100) starts it at scale 1 instead of failing.
bool UsableScaleFactor(const QByteArray &value);

// The platform to ask Qt for; empty keeps Qt's own choice. A Wayland
// session that also offers X11 (XWayland) runs the program on X11: only
// there do the roll-up windows open where they were left and stand side by
// side at first, because Wayland lets no program place its windows. The
// person's own QT_QPA_PLATFORM always wins.
QByteArray PreferredPlatform(const TEnvironment &env);

// Applies both to the process's environment; before the application exists.
void PrepareDisplaySession();

// False where the compositor places top-level windows and never tells where
// (native Wayland): a window's position there means nothing, so none is
// stored and none is waited for.
bool PlacesTopLevelWindows();
