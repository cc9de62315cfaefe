#pragma once

#include <QImage>

// The X server's pixels and pointer, in the root window's own coordinates:
// physical pixels, whatever scale factor Qt applies to its windows, on every
// monitor of the screen.
namespace tintwell::platform::x11 {

// Whether the program is connected to an X server.
bool Available();

// The pixels within `radius` of the pointer's hot spot as the screen shows
// them now, a square with the hot spot in the middle. Parts beyond the
// screen's edges are left transparent; without an X server it is empty.
QImage PixelsAroundPointer(int radius);

// Moves the pointer by that many physical pixels, as the user's hand would.
void MovePointer(int dx, int dy);

// Whether no other program holds the pointer or the keyboard, found by
// taking both for `window` and letting go at once. Qt cannot be asked: with
// XInput 2 it reports a pointer grab it did not get.
bool InputIsFree(unsigned long window);

} // namespace tintwell::platform::x11
