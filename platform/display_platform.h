#pragma once

namespace tintwell::platform {

// Which windowing platform to start on. Wayland lets no program place its
// window or keep it above others; where a Wayland session also offers an X
// server (XWayland), the X11 platform gets both working. A platform the user
// chose (QT_QPA_PLATFORM or -platform) is always kept.
bool ShouldPreferX11(bool platformChosen, bool waylandSession, bool x11Offered);

// Whether the program runs on Wayland, which gives it no say in where its
// window goes and no way to keep it above others.
bool RunsOnWayland();

// Whether the desktop session is a Wayland one, whichever platform this
// program runs on: on XWayland too, X shows nothing of other programs'
// windows.
bool InWaylandSession();

// Applies that choice to this process before the QApplication is created.
void ChooseDisplayPlatform(int argc, char* argv[]);

} // namespace tintwell::platform
