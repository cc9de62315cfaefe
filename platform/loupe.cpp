#include "platform/loupe.h"

#include "platform/magnifier.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace platform {

Loupe::Loupe(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(tr("Magnifier"));
    setFixedSize(magnifier::Size());
}

void Loupe::Show(const QImage& pixels, QPoint pointer)
{
    m_pixels = pixels;
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    move(magnifier::Placed(pointer, screen != nullptr ? screen->geometry() : QRect()).topLeft());
    show();
    update();
}

void Loupe::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    magnifier::Paint(painter, rect(), m_pixels, palette());
}

} // namespace platform
