#include "ui/colour_swatch.h"

#include "ui/colour_mime.h"

#include <QApplication>
#include <QDrag>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace ui {

namespace {

constexpr int kDragChipSize = 24;

} // namespace

ColourSwatch::ColourSwatch(QWidget* parent)
    : QAbstractButton(parent)
{
    // Not a stop on the way through the window's controls.
    setFocusPolicy(Qt::NoFocus);
}

void ColourSwatch::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColourSwatch::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressedAt = event->position().toPoint();
    QAbstractButton::mousePressEvent(event);
}

void ColourSwatch::mouseMoveEvent(QMouseEvent* event)
{
    if (!isDown() || (event->position().toPoint() - m_pressedAt).manhattanLength() <
                         QApplication::startDragDistance()) {
        QAbstractButton::mouseMoveEvent(event);
        return;
    }
    // A drag, not a click: the release must not start a pick.
    setDown(false);
    const QColor colour = palette().color(QPalette::Window);
    auto* drag = new QDrag(this);
    drag->setMimeData(ColourMimeData({colour.red(), colour.green(), colour.blue()}));
    QPixmap chip(kDragChipSize, kDragChipSize);
    chip.fill(colour);
    drag->setPixmap(chip);
    drag->exec(Qt::CopyAction);
}

} // namespace ui
