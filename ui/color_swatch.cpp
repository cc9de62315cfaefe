#include "ui/color_swatch.h"

#include "core/color_name.h"
#include "core/color_notation.h"
#include "core/contrast.h"
#include "ui/color_mime.h"

#include <QApplication>
#include <QDrag>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace tintwell::ui {

namespace {

constexpr int kDragChipSize = 24;
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

// One decimal, but never rounded up to a level the ratio falls short of:
// 4.47 reads "4.4", not "4.5".
QString RatioText(double ratio)
{
    constexpr std::array kLevels{3.0, 4.5, 7.0};
    double shown = std::round(ratio * 10) / 10;
    if (std::ranges::any_of(kLevels, [&](double level) { return ratio < level && shown >= level; }))
        shown = std::floor(ratio * 10) / 10;
    return QLocale().toString(shown, 'f', 1);
}

QString LevelText(ContrastLevel level)
{
    switch (level) {
    case ContrastLevel::AAA:
        return ColorSwatch::tr("AAA");
    case ContrastLevel::AA:
        return ColorSwatch::tr("AA");
    case ContrastLevel::AALarge:
        //: Passes for large text only.
        return ColorSwatch::tr("AA Large");
    case ContrastLevel::Fails:
        break;
    }
    //: Reaches no WCAG level for text.
    return ColorSwatch::tr("fails");
}

} // namespace

ColorSwatch::ColorSwatch(QWidget* parent) : QAbstractButton(parent)
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
    const Rgb rgb{color.red(), color.green(), color.blue()};
    const QString description = QString::fromStdU16String(tintwell::ColorNameText(rgb)) + u"\n"_s +
                                ContrastText(rgb, m_previousSource ? m_previousSource(rgb) : std::nullopt);
    // Told again only when it changes, not at every step that keeps it.
    if (description == m_description)
        return;
    m_description = description;
    setAccessibleDescription(m_description);
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

void ColorSwatch::SetPreviousSource(std::function<std::optional<Rgb>(Rgb shown)> source)
{
    m_previousSource = std::move(source);
}

QString ColorSwatch::ContrastText(Rgb color, std::optional<Rgb> previous)
{
    const auto ratio = [color](Rgb other) { return ContrastRatio(color, other); };
    //: %1 is the contrast ratio ("4.6"), %2 the WCAG level it reaches ("AA").
    QString text = tr("%1 : 1 on white (%2)").arg(RatioText(ratio(kWhite)), LevelText(LevelOf(ratio(kWhite)))) +
                   u", "_s +
                   //: As on white.
                   tr("%1 : 1 on black (%2)").arg(RatioText(ratio(kBlack)), LevelText(LevelOf(ratio(kBlack))));
    if (previous) {
        //: %1 the ratio, %2 the colour taken before it, as #RRGGBB, %3 the level.
        text += u", "_s + tr("%1 : 1 against %2, the colour before (%3)")
                              .arg(RatioText(ratio(*previous)), QString::fromStdU16String(HexNotation(*previous)),
                                   LevelText(LevelOf(ratio(*previous))));
    }
    return text;
}

void ColorSwatch::UpdateToolTip()
{
    setToolTip(m_description.isEmpty() ? m_help : m_description + u"\n\n"_s + m_help);
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
    if (!m_colorSource || !isDown() ||
        (event->position().toPoint() - m_pressedAt).manhattanLength() < QApplication::startDragDistance()) {
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
