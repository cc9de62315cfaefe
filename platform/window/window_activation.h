#pragma once

#include <chrono>
#include <functional>

class QString;
class QWidget;

namespace tintwell::platform {

// Brings `window` forward and asks the desktop to give it the keyboard
// focus, for what the user asked of it from another program's window (a
// global shortcut, a launcher). Desktops take a copy to the clipboard only
// from the window with the focus. `activationToken`, where the desktop
// handed one over, is the proof that the user asked: an xdg-activation
// token on Wayland, a startup-notification id on X11, whose start it also
// ends. Without one the window asks on its own, which a desktop may refuse.
void BringForward(QWidget& window, const QString& activationToken);

// Calls `then` once: as soon as the desktop counts `window` as its active
// window, or after `limit` without. On X that is when the window manager
// names it in the root window's _NET_ACTIVE_WINDOW, which it does after the
// window has the focus and which a desktop's own clipboard goes by (KWin
// takes XWayland's clipboard only from the window it has made active);
// elsewhere, when the window has the focus.
void WhenActive(QWidget& window, std::chrono::milliseconds limit, std::function<void()> then);

} // namespace tintwell::platform
