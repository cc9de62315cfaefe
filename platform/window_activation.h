#pragma once

class QString;
class QWidget;

namespace tintwell::platform {

// Brings `window` forward and asks the desktop to give it the keyboard
// focus, for what the user asked of it from another program's window (a
// global shortcut). Desktops take a copy to the clipboard only from the
// window with the focus. `activationToken`, where the desktop handed one
// over, is the proof on Wayland that the user asked; without one the window
// asks for a token of its own, which a desktop may refuse.
void BringForward(QWidget& window, const QString& activationToken);

} // namespace tintwell::platform
