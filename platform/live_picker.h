#pragma once

#include "platform/screen_picker.h"

#include <QPointF>

#include <optional>

class QEvent;

namespace platform {

// A picker that follows the pointer itself, with the magnifier and a live
// preview, and takes the program's input while it runs: a left click, Enter
// or Space takes the colour; Esc or a right click cancels; the arrow keys
// step by one pixel (ten with Shift). Nothing else reaches the program's
// windows meanwhile, its shortcuts included.
class LivePicker : public ScreenPicker {
    Q_OBJECT

public:
    using ScreenPicker::ScreenPicker;

protected:
    enum class Outcome { Take, Cancel };

    void ListenToInput();
    void StopListeningToInput();

    // The pointer moved over `window` (a QWindow of the program) to
    // `position`, in that window's own coordinates.
    virtual void PointerMoved(const QObject* window, QPointF position) = 0;
    virtual void Step(int dx, int dy) = 0;
    virtual void Finish(Outcome outcome) = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnKey(int key, Qt::KeyboardModifiers modifiers);

    // A click decides on the press and ends on the release, so the release
    // does not land in the window underneath.
    std::optional<Outcome> m_clicked;
};

} // namespace platform
