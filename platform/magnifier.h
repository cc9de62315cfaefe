#pragma once

#include <QImage>
#include <QRect>

class QPainter;
class QPalette;

// The magnifier shown while picking: the pixels around the hot spot,
// enlarged, the one that will be taken outlined, and its #RRGGBB. Every
// picker draws it the same way, in a window of its own or over a still.
namespace platform::magnifier {

// Pixels shown on each side of the hot spot.
constexpr int kRadius = 7;

QSize Size();

// Where the magnifier goes for a hot spot at `hotSpot`: on a side with room
// within `room`, and never over the pixels it shows.
QRect Placed(QPoint hotSpot, QRect room);

// The square of 2 * kRadius + 1 pixels of `image` around `centre`; pixels
// beyond its edges are transparent.
QImage Around(const QImage& image, QPoint centre);

// Draws `pixels` (as Around gives them) as the magnifier at `where`.
void Paint(QPainter& painter, QRect where, const QImage& pixels, const QPalette& palette);

} // namespace platform::magnifier
