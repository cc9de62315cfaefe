#pragma once

#include <QImage>
#include <QPoint>

#include <optional>

// The X server's pixels and pointer, in the root window's own coordinates:
// physical pixels, whatever scale factor Qt applies to its windows, on every
// monitor of the screen.
namespace platform::x11 {

// Whether the program is connected to an X server.
bool Available();

// Where the pointer's hot spot is.
std::optional<QPoint> PointerPosition();

// The pixels of `area` as the screen shows them now. Parts of `area` beyond
// the screen's edges are left transparent.
QImage ReadPixels(const QRect& area);

// Moves the pointer by that many physical pixels, as the user's hand would.
void MovePointer(int dx, int dy);

} // namespace platform::x11
