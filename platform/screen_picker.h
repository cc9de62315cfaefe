#pragma once

#include "core/rgb.h"

#include <QObject>

#include <chrono>

namespace tintwell::platform {

// No person answers the desktop's picker or dialog this fast: an answer
// sooner than this, be it a failure or a cancel, came from a desktop that
// could not do what was asked (about 5 to 20 ms seen).
inline constexpr std::chrono::milliseconds kSoonerThanAnyone{300};

// Why a pick gave no colour, for the window to put into words.
enum class PickFailure {
    // The X display cannot be read.
    NoDisplay,
    // Another program kept the pointer or the keyboard.
    InputBusy,
    // Nothing answers for xdg-desktop-portal on the session bus.
    NoPortal,
    // The portal runs but offers no screenshots.
    NoScreenshot,
    // The portal's screenshot service lacks the method asked for.
    NoMethod,
    // The portal refused the call.
    Refused,
    // The desktop's back end reported that it could not do it.
    DesktopFailed,
    // The portal did not answer in time.
    NoAnswer,
    // The portal answered something that is not a colour or a still.
    BadAnswer,
    // The still of the screen could not be read or fits no screen layout.
    BadStill,
    // The desktop refused to take a still of the screen (as GNOME does once
    // the user denied screenshots); the next pick uses the desktop's picker.
    StillRefused,
    // The desktop's own picker was shown and gave nothing; the next pick is
    // made from a still of the screen.
    DesktopPickerGaveNothing,
    // The portal can neither pick a colour nor take a still of the screen.
    CannotPickOrCapture,
};

// Takes a colour from anywhere on the screen. How depends on the session: on
// X11 the program reads the pixels itself, with a magnifier beside the
// pointer; on Wayland, where no program may read another's pixels, the
// desktop is asked through its portal for a colour or a still of the screen.
// A pick ends with exactly one of Picked, Cancelled or Failed.
class ScreenPicker : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Begins a pick; does nothing while one is in progress.
    virtual void Start() = 0;

    // Ends a pick in progress as the user's cancel would, releasing whatever
    // it holds (the pointer and keyboard grab, a pending request, the still).
    // Nothing happens when no pick is in progress.
    virtual void Cancel() = 0;

    virtual bool IsPicking() const = 0;

Q_SIGNALS:
    // The colour under the pointer while the user looks for one; only
    // pickers that can preview send it.
    void Hovered(tintwell::Rgb color);
    // The desktop has been asked and has not answered for a while; `still`
    // when what it was asked for is a still of the screen, rather than a
    // colour from its own picker.
    void Waiting(bool still);
    void Picked(tintwell::Rgb color);
    void Cancelled();
    void Failed(platform::PickFailure why);
};

} // namespace tintwell::platform
