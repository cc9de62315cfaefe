#include "platform/window/always_on_top.h"

#include "platform/display_platform.h"

#include <QWidget>
#include <QWindow>

namespace tintwell::platform::modAlwaysOnTop {

namespace {

void SetTopMost(QWidget& frm, bool on) noexcept
{
    try {
        // On the QWindow, not QWidget::setWindowFlag(): that would destroy and
        // recreate the native window, with a flicker and the focus lost.
        if (QWindow* window = frm.windowHandle())
            window->setFlag(Qt::WindowStaysOnTopHint, on);
    } catch (...) {
        // Staying where it was is all that can go wrong.
    }
}

} // namespace

void MakeTopMost(QWidget& frm)
{
    SetTopMost(frm, true);
}

void MakeNotTopMost(QWidget& frm)
{
    SetTopMost(frm, false);
}

bool IsSupported()
{
    return !platform::RunsOnWayland();
}

} // namespace tintwell::platform::modAlwaysOnTop
