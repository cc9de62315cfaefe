#pragma once

#include "platform/screen_picker.h"

#include <optional>

namespace platform {

class Loupe;

// Picking on X11: the program holds the pointer and the keyboard, reads the
// pixels under the pointer itself and shows them in a magnifier beside it.
// A left click, Enter or Space takes the colour; Esc or a right click
// cancels; the arrow keys move the pointer a pixel at a time (ten with
// Shift).
class X11ScreenPicker final : public ScreenPicker {
    Q_OBJECT

public:
    explicit X11ScreenPicker(QWidget& window);
    ~X11ScreenPicker() override;

    void Start() override;
    void Cancel() override;
    bool IsPicking() const override { return m_picking; }

    // One step of the live preview: reads the pixels around the pointer,
    // shows them in the magnifier and reports the one under the hot spot.
    void Preview();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Outcome { Take, Cancel };

    bool OnKey(int key, Qt::KeyboardModifiers modifiers);
    void Finish(Outcome outcome);
    // Lets go of the pointer, the keyboard and the cursor, and hides the
    // magnifier.
    void Release();

    Loupe* m_loupe = nullptr;
    bool m_picking = false;
    // A click decides on the press and ends on the release, so the release
    // does not land in the window underneath.
    std::optional<Outcome> m_clicked;
};

} // namespace platform
