#pragma once

#include "platform/screen_picker.h"

#include <QElapsedTimer>

#include <functional>

namespace tintwell::platform {

// Picking on Wayland: the desktop's own picker first, and a still of the
// screen where that is missing or does not work. A failure that comes at
// once (no such method, a refused call, a back end that cannot run its
// picker) moves on to the still without a word. One that comes after the
// desktop's picker was on the screen ends the pick with a note, and every
// later pick of the run goes straight to the still, so the user is not sent
// through a picker that failed them twice. So does a cancel from our own
// window while the desktop's picker should be holding the keyboard. A still
// the desktop refuses sends the next pick back to the desktop's picker.
class ScreenPickerChain final : public ScreenPicker {
    Q_OBJECT

public:
    // Each maker makes its picker owned by the chain it is given.
    using Maker = std::function<ScreenPicker*(QObject* chain)>;
    ScreenPickerChain(QObject* parent, const Maker& makeDesktopPicker, const Maker& makeStillPicker);

    void Start() override;
    void Cancel() override;
    bool IsPicking() const override;

private:
    void OnDesktopPickerFailed(PickFailure why);
    void OnStillFailed(PickFailure why);
    void Forward(ScreenPicker* from);

    ScreenPicker* m_desktopPicker = nullptr;
    ScreenPicker* m_stillPicker = nullptr;
    QElapsedTimer m_sinceStart;
    bool m_desktopPickerFailedUs = false;
};

} // namespace tintwell::platform
