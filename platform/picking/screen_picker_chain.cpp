#include "platform/picking/screen_picker_chain.h"

namespace tintwell::platform {

namespace {

// Failures of the call itself: the desktop's picker never showed.
bool NeverShown(PickFailure why)
{
    switch (why) {
    case PickFailure::NoPortal:
    case PickFailure::NoScreenshot:
    case PickFailure::NoMethod:
    case PickFailure::Refused:
        return true;
    default:
        return false;
    }
}

// What the user is told when the still failed too: what the desktop lacks.
PickFailure NeitherWay(PickFailure stillFailure)
{
    switch (stillFailure) {
    case PickFailure::NoMethod:
    case PickFailure::Refused:
    case PickFailure::DesktopFailed:
        return PickFailure::CannotPickOrCapture;
    default:
        return stillFailure;
    }
}

} // namespace

ScreenPickerChain::ScreenPickerChain(QObject* parent, const Maker& makeDesktopPicker, const Maker& makeStillPicker)
    : ScreenPicker(parent), m_desktopPicker(makeDesktopPicker(this)), m_stillPicker(makeStillPicker(this))
{
    Forward(m_desktopPicker);
    Forward(m_stillPicker);
    connect(m_desktopPicker, &ScreenPicker::Failed, this, &ScreenPickerChain::OnDesktopPickerFailed);
    connect(m_stillPicker, &ScreenPicker::Failed, this, &ScreenPickerChain::OnStillFailed);
}

void ScreenPickerChain::Forward(ScreenPicker* from)
{
    connect(from, &ScreenPicker::Hovered, this, &ScreenPicker::Hovered);
    connect(from, &ScreenPicker::Waiting, this, &ScreenPicker::Waiting);
    connect(from, &ScreenPicker::Picked, this, &ScreenPicker::Picked);
    connect(from, &ScreenPicker::Cancelled, this, &ScreenPicker::Cancelled);
}

void ScreenPickerChain::Start()
{
    if (IsPicking())
        return;
    if (m_desktopPickerFailedUs) {
        m_stillPicker->Start();
        return;
    }
    m_sinceStart.start();
    m_desktopPicker->Start();
}

void ScreenPickerChain::Cancel()
{
    // The desktop's picker holds the keyboard while it is on the screen, so
    // a cancel from our window means it never showed (as on desktops whose
    // portal offers a picker and then hangs).
    if (m_desktopPicker->IsPicking()) {
        m_desktopPicker->blockSignals(true);
        m_desktopPicker->Cancel();
        m_desktopPicker->blockSignals(false);
        m_desktopPickerFailedUs = true;
        Q_EMIT Failed(PickFailure::DesktopPickerGaveNothing);
        return;
    }
    m_stillPicker->Cancel();
}

bool ScreenPickerChain::IsPicking() const
{
    return m_desktopPicker->IsPicking() || m_stillPicker->IsPicking();
}

void ScreenPickerChain::OnDesktopPickerFailed(PickFailure why)
{
    const bool prompt = m_sinceStart.elapsed() < kSoonerThanAnyone.count() &&
                        (why == PickFailure::DesktopFailed || why == PickFailure::BadAnswer);
    if (NeverShown(why) || prompt) {
        m_stillPicker->Start();
        return;
    }
    m_desktopPickerFailedUs = true;
    Q_EMIT Failed(PickFailure::DesktopPickerGaveNothing);
}

void ScreenPickerChain::OnStillFailed(PickFailure why)
{
    if (why == PickFailure::StillRefused)
        m_desktopPickerFailedUs = false;
    Q_EMIT Failed(NeitherWay(why));
}

} // namespace tintwell::platform
