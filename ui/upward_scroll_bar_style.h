#pragma once

#include <QProxyStyle>

namespace tintwell::ui {

// Turns vertical scroll bars with inverted appearance (maximum at the top)
// into proper "up is more" sliders: the top arrow and the trough above the
// thumb raise the value. Qt only moves the thumb for inverted appearance and
// leaves the arrows and page areas acting on the geometric ends, so this
// swaps their rectangles, which hit testing goes through too. Drawing is
// done as for an ordinary bar showing the mirrored value, so each arrow
// keeps the glyph that points where it sits.
class UpwardScrollBarStyle final : public QProxyStyle {
    Q_OBJECT

public:
    explicit UpwardScrollBarStyle(QObject* parent);

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl subControl,
                         const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override;
};

} // namespace tintwell::ui
