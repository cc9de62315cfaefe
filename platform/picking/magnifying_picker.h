#pragma once

#include "platform/picking/magnifier.h"
#include "platform/screen_picker.h"

#include <QPointF>

#include <optional>

class QEvent;

namespace tintwell::platform {

// A picker the program runs itself, over the live screen or a still of it:
// it follows the pointer, shows the magnifier and a preview of the colour
// at the pick, and takes the program's input while it runs: a left click,
// Enter or Space takes the colour; Esc or a right click cancels; the arrow
// keys step by one pixel (ten with Shift); the wheel, + and - zoom the
// magnifier, and Ctrl with the wheel, [ and ] choose the sample. Nothing
// else reaches the program's windows meanwhile, its shortcuts included.
class MagnifyingPicker : public ScreenPicker {
    Q_OBJECT

public:
    using ScreenPicker::ScreenPicker;

protected:
    enum class Outcome { Take, Cancel };

    void ListenToInput();
    // Also puts the zoom and sample back as every pick starts.
    void StopListeningToInput();

    const magnifier::ZoomAndSample& CurrentZoomAndSample() const { return m_zoomAndSample; }

    // The pointer moved over `window` (a QWindow of the program) to
    // `position`, in that window's own coordinates.
    virtual void PointerMoved(const QObject* window, QPointF position) = 0;
    virtual void Step(int dx, int dy) = 0;
    virtual void Finish(Outcome outcome) = 0;
    // The zoom or the sample changed.
    virtual void ZoomOrSampleChanged() = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnKey(int key, Qt::KeyboardModifiers modifiers);
    void OnWheel(int angle, Qt::KeyboardModifiers modifiers);
    void ChangeZoomOrSample(bool (magnifier::ZoomAndSample::*change)());

    // A click decides on the press and ends on the release, so the release
    // does not land in the window underneath.
    std::optional<Outcome> m_clicked;
    magnifier::ZoomAndSample m_zoomAndSample;
    // A wheel turned by less than a notch (a touchpad's) adds up to one.
    int m_wheelAngle = 0;
};

} // namespace tintwell::platform
