#include "platform/magnifier.h"

#include "core/color_notation.h"

#include <QPainter>
#include <QPalette>

#include <array>

namespace platform::magnifier {

namespace {

constexpr int kCells = 2 * kRadius + 1;
constexpr int kZoom = 8;
constexpr int kLabelHeight = 20;
// Between the hot spot and the magnifier: more than the pixels read around
// it, so the magnifier never shows itself.
constexpr int kGap = 24;

} // namespace

QSize Size()
{
    return {kCells * kZoom + 2, kCells * kZoom + kLabelHeight + 2};
}

QRect Placed(QPoint hotSpot, QRect room)
{
    const QSize size = Size();
    const std::array candidates{
        QPoint(hotSpot.x() + kGap, hotSpot.y() + kGap),
        QPoint(hotSpot.x() - kGap - size.width(), hotSpot.y() + kGap),
        QPoint(hotSpot.x() + kGap, hotSpot.y() - kGap - size.height()),
        QPoint(hotSpot.x() - kGap - size.width(), hotSpot.y() - kGap - size.height()),
    };
    QRect best(candidates.front(), size);
    int bestArea = -1;
    for (const QPoint& corner : candidates) {
        const QRect shown = QRect(corner, size).intersected(room);
        const int area = shown.width() * shown.height();
        if (area > bestArea) {
            best = QRect(corner, size);
            bestArea = area;
        }
    }
    return best;
}

QImage Around(const QImage& image, QPoint centre)
{
    QImage pixels(kCells, kCells, QImage::Format_ARGB32);
    pixels.fill(Qt::transparent);
    const QRect wanted(centre.x() - kRadius, centre.y() - kRadius, kCells, kCells);
    const QRect inside = wanted.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(pixels.scanLine(y - wanted.y()));
        for (int x = inside.left(); x <= inside.right(); ++x)
            to[x - wanted.x()] = from[x] | 0xFF000000U;
    }
    return pixels;
}

void Paint(QPainter& painter, QRect where, const QImage& pixels, const QPalette& palette)
{
    painter.save();
    painter.translate(where.topLeft());
    const QRect frame(QPoint(0, 0), where.size());
    painter.fillRect(frame, palette.window());
    // Scaled without smoothing, so each pixel stays a sharp square.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect cells(1, 1, kCells * kZoom, kCells * kZoom);
    painter.drawImage(cells, pixels);

    // Dark and light, so the outline shows on any colour.
    const QRect taken(cells.x() + kRadius * kZoom, cells.y() + kRadius * kZoom, kZoom, kZoom);
    painter.setPen(Qt::black);
    painter.drawRect(taken.adjusted(-1, -1, 0, 0));
    painter.setPen(Qt::white);
    painter.drawRect(taken.adjusted(0, 0, -1, -1));

    painter.setPen(palette.windowText().color());
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    if (pixels.width() == kCells && pixels.height() == kCells) {
        const QRgb pixel = pixels.pixel(kRadius, kRadius);
        const auto hex = tintwell::HexNotation({qRed(pixel), qGreen(pixel), qBlue(pixel)});
        painter.drawText(QRect(0, cells.bottom() + 1, frame.width(), kLabelHeight), Qt::AlignCenter,
                         QString::fromStdU16String(hex));
    }
    painter.restore();
}

} // namespace platform::magnifier
