#pragma once

#include <QProxyStyle>

namespace tintwell::ui {

// Draws a check box's indicator whole when the control is shorter than the
// style's indicator: the square shrinks to the control's height, from the
// same top-left corner, and the gap after it grows by as much, so the
// caption stays where it was.
class FittedCheckBoxStyle final : public QProxyStyle {
    Q_OBJECT

public:
    explicit FittedCheckBoxStyle(QObject* parent);

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
};

} // namespace tintwell::ui
