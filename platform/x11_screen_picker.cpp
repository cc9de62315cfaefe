#include "platform/x11_screen_picker.h"

#include "platform/loupe.h"
#include "platform/x11_pixels.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

constexpr int kBigStep = 10;

std::optional<tintwell::Rgb> ColourUnderPointer()
{
    const QImage pixel = x11::PixelsAroundPointer(0);
    if (pixel.isNull())
        return std::nullopt;
    const QRgb rgb = pixel.pixel(0, 0);
    return tintwell::Rgb{qRed(rgb), qGreen(rgb), qBlue(rgb)};
}

} // namespace

X11ScreenPicker::X11ScreenPicker(QWidget& window)
    : ScreenPicker(&window)
    , m_loupe(new Loupe(&window))
{
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
        Q_EMIT Failed(u"Picking from the screen is not possible on this display."_s);
        return;
    }
    m_picking = true;
    m_clicked.reset();
    Preview(); // shows the magnifier, which has to be on screen to hold the pointer

    // The cross shows over every window: the grab lends the magnifier's
    // cursor to the whole screen.
    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    QWindow* grabber = m_loupe->windowHandle();
    const bool held = grabber != nullptr && grabber->setMouseGrabEnabled(true) &&
                      grabber->setKeyboardGrabEnabled(true);
    if (!held) {
        Release();
        Q_EMIT Failed(u"Another program is holding the pointer or the keyboard; try again."_s);
        return;
    }
    // Input reaches the program through whichever of its windows X names,
    // so it is caught for all of them.
    qApp->installEventFilter(this);
}

void X11ScreenPicker::Cancel()
{
    if (m_picking)
        Finish(Outcome::Cancel);
}

void X11ScreenPicker::Preview()
{
    const int radius = Loupe::kRadius;
    const QImage pixels = x11::PixelsAroundPointer(radius);
    if (pixels.isNull())
        return;
    m_loupe->Show(pixels, QCursor::pos());
    const QRgb pixel = pixels.pixel(radius, radius);
    Q_EMIT Hovered({qRed(pixel), qGreen(pixel), qBlue(pixel)});
}

bool X11ScreenPicker::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        Preview();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::LeftButton)
            m_clicked = Outcome::Take;
        else if (button == Qt::RightButton)
            m_clicked = Outcome::Cancel;
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (m_clicked)
            Finish(*m_clicked);
        return true;
    case QEvent::ShortcutOverride:
        // Claimed, so no shortcut of the window fires while picking.
        event->accept();
        return true;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        return OnKey(key->key(), key->modifiers());
    }
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    default:
        return ScreenPicker::eventFilter(watched, event);
    }
}

bool X11ScreenPicker::OnKey(int key, Qt::KeyboardModifiers modifiers)
{
    const int step = modifiers.testFlag(Qt::ShiftModifier) ? kBigStep : 1;
    switch (key) {
    case Qt::Key_Escape:
        Finish(Outcome::Cancel);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Finish(Outcome::Take);
        break;
    case Qt::Key_Left:
        x11::MovePointer(-step, 0);
        break;
    case Qt::Key_Right:
        x11::MovePointer(step, 0);
        break;
    case Qt::Key_Up:
        x11::MovePointer(0, -step);
        break;
    case Qt::Key_Down:
        x11::MovePointer(0, step);
        break;
    default:
        break;
    }
    return true;
}

void X11ScreenPicker::Finish(Outcome outcome)
{
    // Read before letting go: the magnifier leaves the screen with the grab.
    const std::optional<tintwell::Rgb> colour =
        outcome == Outcome::Take ? ColourUnderPointer() : std::nullopt;
    Release();
    if (colour)
        Q_EMIT Picked(*colour);
    else
        Q_EMIT Cancelled();
}

void X11ScreenPicker::Release()
{
    m_picking = false;
    m_clicked.reset();
    qApp->removeEventFilter(this);
    if (QWindow* grabber = m_loupe->windowHandle()) {
        grabber->setKeyboardGrabEnabled(false);
        grabber->setMouseGrabEnabled(false);
    }
    QGuiApplication::restoreOverrideCursor();
    m_loupe->hide();
}

} // namespace platform
