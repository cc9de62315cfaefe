#pragma once

class QWidget;

// Puts a window into the band above all ordinary windows and takes it out
// again: the window manager's keep-above state, set on the same native
// window, so its place, size and focus stay as they are. Every failure is
// ignored; the stacking then stays as it was.
namespace tintwell::platform::modAlwaysOnTop {

void MakeTopMost(QWidget& frm);
void MakeNotTopMost(QWidget& frm);

// False where the windowing system lets no program keep its window above
// others (Wayland).
bool IsSupported();

} // namespace tintwell::platform::modAlwaysOnTop
