#pragma once

#include "platform/picking/magnifier.h"
#include "platform/screen_picker.h"

#include <QPointF>

#include <optional>

class QEvent;

namespace tintwell::platform {

// A picker that follows the pointer itself, with the magnifier and a live
// preview, and takes the program's input while it runs: a left click, Enter
// or Space takes the colour; Esc or a right click cancels; the arrow keys
// step by one pixel (ten with Shift); the wheel, + and - zoom the
// magnifier, and Ctrl with the wheel, [ and ] choose the sample. Nothing
// else reaches the program's windows meanwhile, its shortcuts included.
class LivePicker : public ScreenPicker {
    Q_OBJECT

public:
    using ScreenPicker::ScreenPicker;

protected:
    enum class Outcome { Take, Cancel };

    void ListenToInput();
    // Also puts the lens back as every pick starts.
    void StopListeningToInput();

    const magnifier::Lens& CurrentLens() const { return m_lens; }

    // The pointer moved over `window` (a QWindow of the program) to
    // `position`, in that window's own coordinates.
    virtual void PointerMoved(const QObject* window, QPointF position) = 0;
    virtual void Step(int dx, int dy) = 0;
    virtual void Finish(Outcome outcome) = 0;
    // The zoom or the sample changed.
    virtual void LensChanged() = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnKey(int key, Qt::KeyboardModifiers modifiers);
    void OnWheel(int angle, Qt::KeyboardModifiers modifiers);
    void ChangeLens(bool (magnifier::Lens::*change)());

    // A click decides on the press and ends on the release, so the release
    // does not land in the window underneath.
    std::optional<Outcome> m_clicked;
    magnifier::Lens m_lens;
    // A wheel turned by less than a notch (a touchpad's) adds up to one.
    int m_wheelAngle = 0;
};

} // namespace tintwell::platform
