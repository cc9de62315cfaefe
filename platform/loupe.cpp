#include "platform/loupe.h"

#include "core/color_notation.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <array>

namespace platform {

namespace {

constexpr int kCells = 2 * Loupe::kRadius + 1;
constexpr int kZoom = 8;
constexpr int kLabelHeight = 20;
// Between the hot spot and the loupe: more than the pixels read around it,
// so the loupe never shows itself.
constexpr int kGap = 24;

QRect Placed(QPoint pointer, QSize size)
{
    const std::array candidates{
        QPoint(pointer.x() + kGap, pointer.y() + kGap),
        QPoint(pointer.x() - kGap - size.width(), pointer.y() + kGap),
        QPoint(pointer.x() + kGap, pointer.y() - kGap - size.height()),
        QPoint(pointer.x() - kGap - size.width(), pointer.y() - kGap - size.height()),
    };
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    const QRect room = screen != nullptr ? screen->geometry() : QRect();
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

} // namespace

Loupe::Loupe(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(kCells * kZoom + 2, kCells * kZoom + kLabelHeight + 2);
}

void Loupe::Show(const QImage& pixels, QPoint pointer)
{
    m_pixels = pixels;
    move(Placed(pointer, size()).topLeft());
    show();
    update();
}

void Loupe::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    // Scaled without smoothing, so each pixel stays a sharp square.
    const QRect cells(1, 1, kCells * kZoom, kCells * kZoom);
    painter.drawImage(cells, m_pixels);

    // Dark and light, so the outline shows on any colour.
    const QRect taken(cells.x() + kRadius * kZoom, cells.y() + kRadius * kZoom, kZoom, kZoom);
    painter.setPen(Qt::black);
    painter.drawRect(taken.adjusted(-1, -1, 0, 0));
    painter.setPen(Qt::white);
    painter.drawRect(taken.adjusted(0, 0, -1, -1));

    painter.setPen(palette().windowText().color());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_pixels.width() == kCells && m_pixels.height() == kCells) {
        const QRgb pixel = m_pixels.pixel(kRadius, kRadius);
        const auto hex = tintwell::HexNotation({qRed(pixel), qGreen(pixel), qBlue(pixel)});
        painter.drawText(QRect(0, cells.bottom() + 1, width(), kLabelHeight), Qt::AlignCenter,
                         QString::fromStdU16String(hex));
    }
}

} // namespace platform
