#pragma once

#include "core/still_layout.h"
#include "platform/picking/magnifier.h"

#include <QImage>
#include <QWidget>

#include <optional>

class QScreen;

namespace tintwell::platform {

// One screen's part of a still of the desktop, shown frozen over the whole
// of that screen while the user picks from it, with the magnifier and, when
// the keys moved the pick away from the pointer, a crosshair where it is.
class StillView final : public QWidget {
    Q_OBJECT

public:
    // `section` is the part of `still` that shows `screen`.
    StillView(QWidget* owner, QScreen& screen, const QImage& still, QRect section);

    QScreen& Screen() const { return m_screen; }
    // The still's pixels this view shows.
    QRect Section() const { return m_section; }
    bool Shows(tintwell::StillPixel pixel) const { return m_section.contains(pixel.x, pixel.y); }

    // The still's pixel under a point of the view, and the point of the view
    // at a pixel's centre. Both follow the size the desktop gave the view,
    // which need not be its screen's as Qt reports it.
    tintwell::StillPixel PixelAt(QPointF position) const;
    QPointF PointOf(tintwell::StillPixel pixel) const;

    // Over the whole of its screen, above every other window.
    void ShowOnScreen();
    // Gives the program the keyboard while the still is up.
    void TakeKeyboard();

    // The magnifier showing `reading` at `where` and a crosshair at `pick`,
    // both in this view's coordinates; none of either when not given.
    void Mark(std::optional<QRect> where, magnifier::Reading reading, std::optional<QPointF> pick);

Q_SIGNALS:
    // On the screen, or given another size, by the desktop.
    void Placed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect CrosshairArea() const;

    QScreen& m_screen;
    QImage m_still;
    QRect m_section;
    std::optional<QRect> m_magnifier;
    magnifier::Reading m_reading;
    std::optional<QPointF> m_pick;
};

} // namespace tintwell::platform
