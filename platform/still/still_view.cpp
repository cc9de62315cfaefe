#include "platform/still/still_view.h"

#include "platform/display_platform.h"
#include "platform/picking/magnifier.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tintwell::platform {

namespace {

// The crosshair's arms, and the gap that leaves the picked pixel itself in
// sight.
constexpr int kArm = 12;
constexpr int kGap = 3;

// A window manager puts a full-screen X window on the screen it likes, so on
// X (XWayland included) each still is placed on its screen unmanaged.
Qt::WindowFlags Flags()
{
    const Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    return RunsOnX11() ? flags | Qt::X11BypassWindowManagerHint : flags;
}

} // namespace

StillView::StillView(QWidget* owner, QScreen& screen, const QImage& still, QRect section)
    : QWidget(owner, Flags()), m_screen(screen), m_still(still), m_section(section)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setWindowTitle(tr("Still of the screen"));
    setScreen(&screen);
    setGeometry(screen.geometry());
}

tintwell::StillPixel StillView::PixelAt(QPointF position) const
{
    const auto along = [](double at, int viewLength, int start, int length) {
        const double scale = static_cast<double>(length) / std::max(viewLength, 1);
        return std::clamp(start + static_cast<int>(std::floor(at * scale)), start, start + length - 1);
    };
    return {along(position.x(), width(), m_section.x(), m_section.width()),
            along(position.y(), height(), m_section.y(), m_section.height())};
}

QPointF StillView::PointOf(tintwell::StillPixel pixel) const
{
    return {(pixel.x - m_section.x() + 0.5) * width() / std::max(m_section.width(), 1),
            (pixel.y - m_section.y() + 0.5) * height() / std::max(m_section.height(), 1)};
}

void StillView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Q_EMIT Placed();
}

void StillView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Q_EMIT Placed();
}

void StillView::ShowOnScreen()
{
    if (windowFlags().testFlag(Qt::X11BypassWindowManagerHint))
        show();
    else
        showFullScreen();
}

void StillView::TakeKeyboard()
{
    // A window that bypasses the window manager is one a desktop may never
    // hand the keyboard to (mutter loses track of one that takes the X focus
    // as it maps, about one time in five, and every key then goes to the
    // desktop). The window it belongs to takes it instead: the program hears
    // every key that reaches any of its windows while it picks.
    if (windowFlags().testFlag(Qt::X11BypassWindowManagerHint))
        window()->parentWidget()->window()->activateWindow();
    else
        windowHandle()->requestActivate();
}

void StillView::Mark(std::optional<QRect> where, magnifier::Reading reading, std::optional<QPointF> pick)
{
    // Only what changed is painted again, which keeps a step of the pointer
    // cheap on large screens.
    if (m_magnifier)
        update(*m_magnifier);
    if (m_pick)
        update(CrosshairArea());
    m_magnifier = where;
    m_reading = std::move(reading);
    m_pick = pick;
    if (m_magnifier)
        update(*m_magnifier);
    if (m_pick)
        update(CrosshairArea());
}

QRect StillView::CrosshairArea() const
{
    const QPoint centre = m_pick->toPoint();
    return {centre.x() - kArm - 1, centre.y() - kArm - 1, 2 * kArm + 3, 2 * kArm + 3};
}

void StillView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // The still's pixels behind the area to paint, however many still
    // pixels make one of the view's.
    const QRect area = event->rect();
    const double scaleX = static_cast<double>(m_section.width()) / width();
    const double scaleY = static_cast<double>(m_section.height()) / height();
    const QRectF source(m_section.x() + area.x() * scaleX, m_section.y() + area.y() * scaleY, area.width() * scaleX,
                        area.height() * scaleY);
    painter.drawImage(QRectF(area), m_still, source);

    if (m_pick) {
        const QPointF at = *m_pick;
        for (const QColor& color : {QColor(Qt::black), QColor(Qt::white)}) {
            painter.setPen(QPen(color, 1));
            const double shift = color == Qt::black ? 0.0 : 1.0;
            painter.drawLine(QPointF(at.x() - kArm, at.y() + shift), QPointF(at.x() - kGap, at.y() + shift));
            painter.drawLine(QPointF(at.x() + kGap, at.y() + shift), QPointF(at.x() + kArm, at.y() + shift));
            painter.drawLine(QPointF(at.x() + shift, at.y() - kArm), QPointF(at.x() + shift, at.y() - kGap));
            painter.drawLine(QPointF(at.x() + shift, at.y() + kGap), QPointF(at.x() + shift, at.y() + kArm));
        }
    }
    if (m_magnifier)
        magnifier::Paint(painter, *m_magnifier, m_reading, palette());
}

} // namespace tintwell::platform
