#include "platform/x11/x11_screen_picker.h"

#include "platform/picking/magnifier.h"
#include "platform/x11/magnifier_window.h"
#include "platform/x11/x11_pixels.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

#include <utility>

namespace tintwell::platform {

namespace {

// How often, and for how long, a grab another program holds is tried again.
constexpr int kGrabRetryMilliseconds = 50;
constexpr int kGrabPatienceMilliseconds = 1000;

magnifier::Reading ReadAroundPointer(const magnifier::ZoomAndSample& setting)
{
    return magnifier::ReadingOf(x11::PixelsAroundPointer(setting.Radius()), setting);
}

} // namespace

X11ScreenPicker::X11ScreenPicker(QWidget& window)
    : MagnifyingPicker(&window), m_magnifier(new MagnifierWindow(&window)), m_retry(new QTimer(this))
{
    m_retry->setInterval(kGrabRetryMilliseconds);
    connect(m_retry, &QTimer::timeout, this, &X11ScreenPicker::TryToGrab);
}

X11ScreenPicker::~X11ScreenPicker()
{
    if (m_picking)
        Release();
}

void X11ScreenPicker::Start()
{
    if (m_picking)
        return;
    if (!x11::Available()) {
        Q_EMIT Failed(PickFailure::NoDisplay);
        return;
    }
    m_picking = true;
    m_sinceStart.start();
    Preview(); // shows the magnifier, which has to be on screen to hold the pointer
    // The cross shows over every window: the grab lends the magnifier's
    // cursor to the whole screen.
    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    TryToGrab();
}

void X11ScreenPicker::TryToGrab()
{
    QWindow* grabber = m_magnifier->windowHandle();
    const bool free = grabber != nullptr && x11::InputIsFree(grabber->winId());
    if (free && grabber->setMouseGrabEnabled(true)) {
        if (grabber->setKeyboardGrabEnabled(true)) {
            m_retry->stop();
            ListenToInput();
            return;
        }
        grabber->setMouseGrabEnabled(false);
    }
    if (m_sinceStart.elapsed() < kGrabPatienceMilliseconds) {
        m_retry->start();
        return;
    }
    Release();
    Q_EMIT Failed(PickFailure::InputBusy);
}

void X11ScreenPicker::Cancel()
{
    if (m_picking)
        Finish(Outcome::Cancel);
}

void X11ScreenPicker::Preview()
{
    magnifier::Reading reading = ReadAroundPointer(CurrentZoomAndSample());
    if (reading.pixels.isNull())
        return;
    const std::optional<tintwell::Rgb> color = reading.color;
    m_magnifier->Show(std::move(reading), QCursor::pos());
    if (color)
        Q_EMIT Hovered(*color);
}

void X11ScreenPicker::PointerMoved(const QObject* /*window*/, QPointF /*position*/)
{
    // Qt's coordinates are scaled; the pixels are read where X says the
    // pointer is.
    Preview();
}

void X11ScreenPicker::Step(int dx, int dy)
{
    x11::MovePointer(dx, dy);
}

void X11ScreenPicker::ZoomOrSampleChanged()
{
    Preview();
}

void X11ScreenPicker::Finish(Outcome outcome)
{
    // Read before letting go: the magnifier leaves the screen with the grab.
    const std::optional<tintwell::Rgb> color =
        outcome == Outcome::Take ? ReadAroundPointer(CurrentZoomAndSample()).color : std::nullopt;
    Release();
    if (color)
        Q_EMIT Picked(*color);
    else
        Q_EMIT Cancelled();
}

void X11ScreenPicker::Release()
{
    m_picking = false;
    m_retry->stop();
    StopListeningToInput();
    if (QWindow* grabber = m_magnifier->windowHandle()) {
        grabber->setKeyboardGrabEnabled(false);
        grabber->setMouseGrabEnabled(false);
    }
    QGuiApplication::restoreOverrideCursor();
    m_magnifier->hide();
}

} // namespace tintwell::platform
