#include "ui/colour_swatch.h"

#include "core/color_name.h"
#include "ui/colour_mime.h"

#include <QApplication>
#include <QDrag>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

using namespace Qt::StringLiterals;

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

void ColourSwatch::ShowColor(QColor colour)
{
    QPalette shown = palette();
    shown.setColor(QPalette::Window, colour);
    shown.setColor(QPalette::WindowText, Qt::black);
    setPalette(shown);
    const QString name =
        QString::fromStdU16String(tintwell::ColorNameText({colour.red(), colour.green(), colour.blue()}));
    // Told again only when the name changes, not at every step that keeps it.
    if (name == m_name)
        return;
    m_name = name;
    setAccessibleDescription(m_name);
    UpdateToolTip();
}

void ColourSwatch::SetHelp(const QString& help)
{
    m_help = help;
    UpdateToolTip();
}

void ColourSwatch::UpdateToolTip()
{
    setToolTip(m_name.isEmpty() ? m_help : m_name + u"\n\n"_s + m_help);
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
