#pragma once

#include "core/rgb.h"

#include <QAbstractButton>

#include <functional>

namespace tintwell::ui {

// The swatch that shows the colour, filled with its palette's window colour.
// It is a button, to the user and to assistive technologies: a click asks for
// a colour from the screen. Dragged, it carries its colour to wherever it is
// dropped. It names its colour, as the nearest CSS colour name, in its
// tooltip and its accessible description, so a screen reader announces the
// name whenever the colour changes.
class ColorSwatch final : public QAbstractButton {
    Q_OBJECT

public:
    explicit ColorSwatch(QWidget* parent);

    void ShowColor(QColor color);
    // Where a drag gets the colour it carries.
    void SetColorSource(std::function<Rgb()> source);
    // What the tooltip says after the colour's name.
    void SetHelp(const QString& help);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void UpdateToolTip();

    std::function<Rgb()> m_colorSource;
    QPoint m_pressedAt;
    QString m_name;
    QString m_help;
};

} // namespace tintwell::ui
