#pragma once

#include "core/rgb.h"

#include <QAbstractButton>

#include <functional>
#include <optional>

namespace tintwell::ui {

// The swatch that shows the colour, filled with its palette's window colour.
// It is a button, to the user and to assistive technologies: a click asks for
// a colour from the screen. Dragged, it carries its colour to wherever it is
// dropped. It names its colour, as the nearest CSS colour name, with its
// contrast for text against white, black and the colour taken before, in its
// tooltip and its accessible description, so a screen reader announces them
// whenever they change.
class ColorSwatch final : public QAbstractButton {
    Q_OBJECT

public:
    explicit ColorSwatch(QWidget* parent);

    void ShowColor(QColor color);
    // Where a drag gets the colour it carries.
    void SetColorSource(std::function<Rgb()> source);
    // What the tooltip says after the colour's name.
    void SetHelp(const QString& help);
    // The colour taken before the one shown, which the shown one is compared with.
    void SetPreviousSource(std::function<std::optional<Rgb>(Rgb shown)> source);

    // "4.6 : 1 on white (AA), 4.6 : 1 on black (AA)", and against `previous`.
    static QString ContrastText(Rgb color, std::optional<Rgb> previous);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void UpdateToolTip();

    std::function<Rgb()> m_colorSource;
    std::function<std::optional<Rgb>(Rgb)> m_previousSource;
    QPoint m_pressedAt;
    QString m_description;
    QString m_help;
};

} // namespace tintwell::ui
