#include "platform/x11/magnifier_window.h"

#include "platform/picking/magnifier.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <utility>

namespace tintwell::platform {

MagnifierWindow::MagnifierWindow(QWidget* owner) : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(tr("Magnifier"));
    setFixedSize(magnifier::Size());
}

void MagnifierWindow::Show(magnifier::Reading reading, QPoint pointer)
{
    const int radius = reading.pixels.width() / 2;
    m_reading = std::move(reading);
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    move(magnifier::Placed(pointer, screen != nullptr ? screen->geometry() : QRect(), radius).topLeft());
    show();
    update();
}

void MagnifierWindow::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    magnifier::Paint(painter, rect(), m_reading, palette());
}

} // namespace tintwell::platform
