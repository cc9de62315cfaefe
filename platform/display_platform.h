#pragma once

namespace tintwell::platform {

// Which windowing platform to start on. Wayland lets no program place its
// window or keep it above others; where a Wayland session also offers an X
// server (XWayland), the X11 platform gets both working. A platform the user
// chose (QT_QPA_PLATFORM or -platform) is always kept.
bool ShouldPreferX11(bool platformChosen, bool waylandSession, bool x11Offered);

// What the windowing platform the program runs on lets it do: ask these,
// never the platform's name.

// Whether the program's windows are Wayland surfaces. It then has no say in
// where its window goes and no way to keep it above others, hears where the
// pointer is only once it enters one of its windows, and is given the focus
// with an xdg-activation token.
bool RunsOnWayland();

// Whether the program's windows are X11 windows (XWayland's included): each
// has an id other programs can be given, and may be placed past the window
// manager.
bool RunsOnX11();

// Whether other programs' windows are out of the program's sight: in a
// Wayland session, whichever platform it runs on, as XWayland shows only
// its own clients' pixels.
bool OtherWindowsHidden();

// Applies that choice to this process before the QApplication is created.
void ChooseDisplayPlatform(int argc, char* argv[]);

} // namespace tintwell::platform
