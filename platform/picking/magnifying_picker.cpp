#include "platform/picking/magnifying_picker.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace tintwell::platform {

namespace {

constexpr int kBigStep = 10;
// One notch of a mouse wheel, in eighths of a degree.
constexpr int kNotch = 120;

} // namespace

void MagnifyingPicker::ListenToInput()
{
    m_clicked.reset();
    // Input reaches the program through whichever of its windows the
    // windowing system names, so it is caught for all of them.
    qApp->installEventFilter(this);
}

void MagnifyingPicker::StopListeningToInput()
{
    m_clicked.reset();
    m_zoomAndSample.Reset();
    m_wheelAngle = 0;
    qApp->removeEventFilter(this);
}

bool MagnifyingPicker::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
        if (const auto* pointer = dynamic_cast<const QSinglePointEvent*>(event))
            PointerMoved(watched, pointer->position());
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* press = static_cast<QMouseEvent*>(event);
        // A click takes the pixel it was made on, even where the move there
        // never arrived: Qt drops a move back to a place it saw last.
        PointerMoved(watched, press->position());
        const Qt::MouseButton button = press->button();
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
    case QEvent::Wheel: {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        OnWheel(wheel->angleDelta().y(), wheel->modifiers());
        return true;
    }
    case QEvent::KeyRelease:
    case QEvent::ContextMenu:
        return true;
    default:
        return ScreenPicker::eventFilter(watched, event);
    }
}

bool MagnifyingPicker::OnKey(int key, Qt::KeyboardModifiers modifiers)
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
        Step(-step, 0);
        break;
    case Qt::Key_Right:
        Step(step, 0);
        break;
    case Qt::Key_Up:
        Step(0, -step);
        break;
    case Qt::Key_Down:
        Step(0, step);
        break;
    // = is + without Shift on many layouts.
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ChangeZoomOrSample(&magnifier::ZoomAndSample::ZoomIn);
        break;
    case Qt::Key_Minus:
        ChangeZoomOrSample(&magnifier::ZoomAndSample::ZoomOut);
        break;
    case Qt::Key_BracketRight:
        ChangeZoomOrSample(&magnifier::ZoomAndSample::WidenSample);
        break;
    case Qt::Key_BracketLeft:
        ChangeZoomOrSample(&magnifier::ZoomAndSample::NarrowSample);
        break;
    default:
        break;
    }
    return true;
}

void MagnifyingPicker::OnWheel(int angle, Qt::KeyboardModifiers modifiers)
{
    m_wheelAngle += angle;
    const bool sample = modifiers.testFlag(Qt::ControlModifier);
    for (; m_wheelAngle >= kNotch; m_wheelAngle -= kNotch)
        ChangeZoomOrSample(sample ? &magnifier::ZoomAndSample::WidenSample : &magnifier::ZoomAndSample::ZoomIn);
    for (; m_wheelAngle <= -kNotch; m_wheelAngle += kNotch)
        ChangeZoomOrSample(sample ? &magnifier::ZoomAndSample::NarrowSample : &magnifier::ZoomAndSample::ZoomOut);
}

void MagnifyingPicker::ChangeZoomOrSample(bool (magnifier::ZoomAndSample::*change)())
{
    // Past either end nothing changes, and nothing is read again.
    if ((m_zoomAndSample.*change)())
        ZoomOrSampleChanged();
}

} // namespace tintwell::platform
