#pragma once

#include "core/rgb.h"

#include <QImage>
#include <QRect>

#include <optional>

class QPainter;
class QPalette;

// The magnifier shown while picking: the pixels around the hot spot,
// enlarged, the sample that will be taken outlined, its #RRGGBB and the
// nearest colour name, and the keys that change it. Every picker draws it
// the same way, in a window of its own or over a still.
namespace tintwell::platform::magnifier {

// How the magnifier looks at the screen: its zoom (4×, 8×, 16× or 32×) and
// the sample (the pixel itself, or the mean of the 3 × 3, 5 × 5 or 9 × 9
// square around it). Every pick starts at 8× and the one pixel.
class ZoomAndSample {
public:
    int Zoom() const;
    int SampleSize() const;

    // Each returns whether anything changed: nothing does past either end.
    bool ZoomIn();
    bool ZoomOut();
    bool WidenSample();
    bool NarrowSample();
    void Reset();

    // The pixels to read on each side of the hot spot: all the magnifier
    // shows at this zoom, and the whole sample.
    int Radius() const;

private:
    int m_zoom = 1;   // index into the zooms
    int m_sample = 0; // index into the sample sizes
};

// What the magnifier shows for one position of the hot spot.
struct Reading {
    // The pixels within the radius of the hot spot, which is in the middle;
    // places beyond the screen's edge are transparent.
    QImage pixels;
    int zoom = 0;
    int sampleSize = 1;
    // The sample's colour; none when it lies wholly beyond the screen.
    std::optional<tintwell::Rgb> color;
};

// The same size at every zoom: the more it zooms, the fewer pixels it shows.
QSize Size();

// Where the magnifier goes for a hot spot at `hotSpot`: within `room` where
// it fits, and never over the `radius` pixels read around the hot spot.
QRect Placed(QPoint hotSpot, QRect room, int radius);

// Reads what the magnifier shows at `centre` of `image` at `setting`'s zoom
// and sample, leaving out whatever lies outside `screen` (a part of the
// image).
Reading Read(const QImage& image, QPoint centre, QRect screen, const ZoomAndSample& setting);

// The reading for `pixels` read around the hot spot with `setting`'s radius.
Reading ReadingOf(QImage pixels, const ZoomAndSample& setting);

// Draws `reading` as the magnifier at `where`.
void Paint(QPainter& painter, QRect where, const Reading& reading, const QPalette& palette);

} // namespace tintwell::platform::magnifier
