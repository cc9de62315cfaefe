#include "platform/live_picker.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace platform {

namespace {

constexpr int kBigStep = 10;

} // namespace

void LivePicker::ListenToInput()
{
    m_clicked.reset();
    // Input reaches the program through whichever of its windows the
    // windowing system names, so it is caught for all of them.
    qApp->installEventFilter(this);
}

void LivePicker::StopListeningToInput()
{
    m_clicked.reset();
    qApp->removeEventFilter(this);
}

bool LivePicker::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
        if (const auto* pointer = dynamic_cast<const QSinglePointEvent*>(event))
            PointerMoved(watched, pointer->position());
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

bool LivePicker::OnKey(int key, Qt::KeyboardModifiers modifiers)
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
    default:
        break;
    }
    return true;
}

} // namespace platform
