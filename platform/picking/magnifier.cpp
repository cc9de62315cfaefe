#include "platform/picking/magnifier.h"

#include "core/color_name.h"
#include "core/color_notation.h"
#include "core/color_sample.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <array>
#include <tuple>

namespace tintwell::platform::magnifier {

namespace {

constexpr std::array kZooms{4, 8, 16, 32};
constexpr int kFirstZoom = 1; // 8×
// The square of enlarged pixels; every zoom fills it with whole pixels and
// the one under the hot spot in the middle.
constexpr int kView = 192;
constexpr int kRowHeight = 16;
constexpr int kRows = 4; // #RRGGBB, the name, the zoom and sample, the keys
constexpr int kTextPixelSize = 12;
constexpr int kHintPixelSize = 10;

constexpr int ViewRadius(int zoom)
{
    return kView / zoom / 2;
}

constexpr int kLargestRadius = std::max(ViewRadius(kZooms.front()), tintwell::kSampleSizes.back() / 2);
// Between the hot spot and the magnifier: more than the pixels read around
// it, so the magnifier never shows itself, and the same at every zoom, so
// it stays put while the user zooms.
constexpr int kGap = kLargestRadius + 4;

// Dark and light, so the outline shows on any colour.
void Outline(QPainter& painter, QRect area)
{
    painter.setPen(Qt::black);
    painter.drawRect(area.adjusted(-1, -1, 0, 0));
    painter.setPen(Qt::white);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

// `placed` moved the least distance that puts it wholly inside `room`, on
// each axis where it fits.
QRect Within(QRect placed, QRect room)
{
    if (placed.width() <= room.width())
        placed.moveLeft(std::clamp(placed.left(), room.left(), room.right() - placed.width() + 1));
    if (placed.height() <= room.height())
        placed.moveTop(std::clamp(placed.top(), room.top(), room.bottom() - placed.height() + 1));
    return placed;
}

} // namespace

int ZoomAndSample::Zoom() const
{
    return kZooms[static_cast<std::size_t>(m_zoom)];
}

int ZoomAndSample::SampleSize() const
{
    return tintwell::kSampleSizes[static_cast<std::size_t>(m_sample)];
}

bool ZoomAndSample::ZoomIn()
{
    return std::exchange(m_zoom, std::min(m_zoom + 1, static_cast<int>(kZooms.size()) - 1)) != m_zoom;
}

bool ZoomAndSample::ZoomOut()
{
    return std::exchange(m_zoom, std::max(m_zoom - 1, 0)) != m_zoom;
}

bool ZoomAndSample::WidenSample()
{
    return std::exchange(m_sample, std::min(m_sample + 1, static_cast<int>(tintwell::kSampleSizes.size()) - 1)) !=
           m_sample;
}

bool ZoomAndSample::NarrowSample()
{
    return std::exchange(m_sample, std::max(m_sample - 1, 0)) != m_sample;
}

void ZoomAndSample::Reset()
{
    m_zoom = kFirstZoom;
    m_sample = 0;
}

int ZoomAndSample::Radius() const
{
    return std::max(ViewRadius(Zoom()), SampleSize() / 2);
}

QSize Size()
{
    return {kView + 2, kView + 2 + kRows * kRowHeight + 2};
}

QRect Placed(QPoint hotSpot, QRect room, int radius)
{
    const QSize size = Size();
    const std::array candidates{
        QPoint(hotSpot.x() + kGap, hotSpot.y() + kGap),
        QPoint(hotSpot.x() - kGap - size.width(), hotSpot.y() + kGap),
        QPoint(hotSpot.x() + kGap, hotSpot.y() - kGap - size.height()),
        QPoint(hotSpot.x() - kGap - size.width(), hotSpot.y() - kGap - size.height()),
    };
    const QRect read(hotSpot.x() - radius, hotSpot.y() - radius, 2 * radius + 1, 2 * radius + 1);
    // The least of it off the screen, then the least moved from beside the
    // hot spot.
    QRect best;
    std::tuple<int, int> bestCost{-1, -1};
    for (const QPoint& corner : candidates) {
        QRect placed = Within(QRect(corner, size), room);
        if (placed.intersects(read))
            placed = QRect(corner, size);
        const QRect shown = placed.intersected(room);
        const std::tuple cost{size.width() * size.height() - shown.width() * shown.height(),
                              (placed.topLeft() - corner).manhattanLength()};
        if (std::get<0>(bestCost) < 0 || cost < bestCost) {
            best = placed;
            bestCost = cost;
        }
    }
    return best;
}

Reading Read(const QImage& image, QPoint centre, QRect screen, const ZoomAndSample& setting)
{
    const int radius = setting.Radius();
    const int cells = 2 * radius + 1;
    QImage pixels(cells, cells, QImage::Format_ARGB32);
    pixels.fill(Qt::transparent);
    const QRect wanted(centre.x() - radius, centre.y() - radius, cells, cells);
    const QRect inside = wanted.intersected(screen).intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(pixels.scanLine(y - wanted.y()));
        for (int x = inside.left(); x <= inside.right(); ++x)
            to[x - wanted.x()] = from[x] | 0xFF000000U;
    }
    return ReadingOf(std::move(pixels), setting);
}

Reading ReadingOf(QImage pixels, const ZoomAndSample& setting)
{
    Reading reading{std::move(pixels), setting.Zoom(), setting.SampleSize(), std::nullopt};
    if (reading.pixels.format() != QImage::Format_ARGB32 || reading.pixels.width() != reading.pixels.height())
        return reading;
    const tintwell::PixelGrid grid{reinterpret_cast<const std::uint32_t*>(reading.pixels.constBits()),
                                   reading.pixels.width(), reading.pixels.height(),
                                   static_cast<int>(reading.pixels.bytesPerLine() / 4)};
    const int centre = reading.pixels.width() / 2;
    reading.color = tintwell::SampleMean(grid, centre, centre, reading.sampleSize);
    return reading;
}

void Paint(QPainter& painter, QRect where, const Reading& reading, const QPalette& palette)
{
    painter.save();
    painter.translate(where.topLeft());
    const QRect frame(QPoint(0, 0), where.size());
    painter.fillRect(frame, palette.window());

    const QRect cells(1, 1, kView, kView);
    const int zoom = reading.zoom;
    const int radius = reading.pixels.width() / 2;
    // The hot spot's pixel, in the middle of the view.
    const QPoint centre = cells.topLeft() + QPoint((kView - zoom) / 2, (kView - zoom) / 2);
    painter.save();
    painter.setClipRect(cells);
    // Scaled without smoothing, so each pixel stays a sharp square.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(centre - QPoint(radius * zoom, radius * zoom), reading.pixels.size() * zoom),
                      reading.pixels);
    const QRect hotSpot(centre, QSize(zoom, zoom));
    Outline(painter, hotSpot);
    if (reading.sampleSize > 1) {
        const int half = reading.sampleSize / 2 * zoom;
        // A square larger than the view is outlined along the view's edge.
        Outline(painter, hotSpot.adjusted(-half, -half, half, half).intersected(cells.adjusted(1, 1, 0, 0)));
    }
    painter.restore();
    painter.setPen(palette.windowText().color());
    painter.drawRect(frame.adjusted(0, 0, -1, -1));

    QFont font = painter.font();
    font.setPixelSize(kTextPixelSize);
    painter.setFont(font);
    const auto row = [&frame, &cells](int index) {
        return QRect(0, cells.bottom() + 1 + index * kRowHeight, frame.width(), kRowHeight);
    };
    if (reading.color) {
        painter.drawText(row(0), Qt::AlignCenter, QString::fromStdU16String(tintwell::HexNotation(*reading.color)));
        painter.drawText(row(1), Qt::AlignCenter, QString::fromStdU16String(tintwell::ColorNameText(*reading.color)));
    }
    //: %1 is the side, in pixels, of the square whose mean (average) is the colour.
    const QString sample = reading.sampleSize > 1
                               ? QCoreApplication::translate("Magnifier", "%1 × %1 mean").arg(reading.sampleSize)
                               : QCoreApplication::translate("Magnifier", "1 pixel");
    //: %1 is the zoom, %2 the sample, as in "8× · 1 pixel".
    painter.drawText(row(2), Qt::AlignCenter,
                     QCoreApplication::translate("Magnifier", "%1× · %2").arg(zoom).arg(sample));
    font.setPixelSize(kHintPixelSize);
    painter.setFont(font);
    //: The keys: + and − zoom, [ and ] change the square averaged, Esc cancels the pick.
    painter.drawText(row(3), Qt::AlignCenter,
                     QCoreApplication::translate("Magnifier", "+ − zoom   [ ] mean   Esc cancel"));
    painter.restore();
}

} // namespace tintwell::platform::magnifier
