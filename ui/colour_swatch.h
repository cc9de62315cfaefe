#pragma once

#include <QAbstractButton>

namespace ui {

// The swatch that shows the colour, filled with its palette's window colour.
// It is a button, to the user and to assistive technologies: a click asks for
// a colour from the screen. Dragged, it carries its colour to wherever it is
// dropped.
class ColourSwatch final : public QAbstractButton {
    Q_OBJECT

public:
    explicit ColourSwatch(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPoint m_pressedAt;
};

} // namespace ui
