#include "ui/color_swatch.h"

#include "core/color_name.h"
#include "ui/color_mime.h"

#include <QApplication>
#include <QDrag>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <utility>

using namespace Qt::StringLiterals;

namespace tintwell::ui {

namespace {

constexpr int kDragChipSize = 24;

} // namespace

ColorSwatch::ColorSwatch(QWidget* parent)
    : QAbstractButton(parent)
{
    // Not a stop on the way through the window's controls.
    setFocusPolicy(Qt::NoFocus);
}

void ColorSwatch::ShowColor(QColor color)
{
    QPalette shown = palette();
    shown.setColor(QPalette::Window, color);
    shown.setColor(QPalette::WindowText, Qt::black);
    setPalette(shown);
    const QString name =
        QString::fromStdU16String(tintwell::ColorNameText({color.red(), color.green(), color.blue()}));
    // Told again only when the name changes, not at every step that keeps it.
    if (name == m_name)
        return;
    m_name = name;
    setAccessibleDescription(m_name);
    UpdateToolTip();
}

void ColorSwatch::SetColorSource(std::function<Rgb()> source)
{
    m_colorSource = std::move(source);
}

void ColorSwatch::SetHelp(const QString& help)
{
    m_help = help;
    UpdateToolTip();
}

void ColorSwatch::UpdateToolTip()
{
    setToolTip(m_name.isEmpty() ? m_help : m_name + u"\n\n"_s + m_help);
}

void ColorSwatch::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColorSwatch::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressedAt = event->position().toPoint();
    QAbstractButton::mousePressEvent(event);
}

void ColorSwatch::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_colorSource || !isDown() || (event->position().toPoint() - m_pressedAt).manhattanLength() <
                         QApplication::startDragDistance()) {
        QAbstractButton::mouseMoveEvent(event);
        return;
    }
    // A drag, not a click: the release must not start a pick.
    setDown(false);
    const Rgb color = m_colorSource();
    auto* drag = new QDrag(this);
    drag->setMimeData(ColorMimeData(color));
    QPixmap chip(kDragChipSize, kDragChipSize);
    chip.fill(QColor(color.red, color.green, color.blue));
    drag->setPixmap(chip);
    drag->exec(Qt::CopyAction);
}

} // namespace tintwell::ui
