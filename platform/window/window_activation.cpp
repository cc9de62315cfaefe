#include "platform/window/window_activation.h"

#include "platform/display_platform.h"

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace tintwell::platform {

namespace {

xcb_connection_t* X11Connection()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* x11, const char* name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(x11, xcb_intern_atom(x11, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// On X the token is the launcher's startup-notification id. Its time
// stamp, that of the user's click, lets the window manager give a window
// the focus it would refuse to a program that merely asks; then the
// launcher is told the start is over, so its busy pointer goes.
void EndStartup(QWidget& window, const QByteArray& startupId)
{
    xcb_connection_t* x11 = X11Connection();
    if (x11 == nullptr)
        return;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x11)).data->root;
    const auto id = static_cast<xcb_window_t>(window.winId());
    constexpr uint32_t kFromApplication = 1;
    constexpr qsizetype kMessageBytes = 20;

    const qsizetype at = startupId.lastIndexOf("_TIME");
    bool stamped = false;
    const uint32_t time = at >= 0 ? startupId.mid(at + 5).toUInt(&stamped) : 0;
    if (stamped) {
        xcb_client_message_event_t activate{};
        activate.response_type = XCB_CLIENT_MESSAGE;
        activate.format = 32;
        activate.window = id;
        activate.type = Atom(x11, "_NET_ACTIVE_WINDOW");
        activate.data.data32[0] = kFromApplication;
        activate.data.data32[1] = time;
        xcb_send_event(x11, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&activate));
    }

    // The startup-notification message, with its closing nul, in pieces of
    // twenty bytes: the first of one type, the rest of another.
    const QByteArray message = "remove: ID=" + startupId + '\0';
    const xcb_atom_t begin = Atom(x11, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = Atom(x11, "_NET_STARTUP_INFO");
    for (qsizetype offset = 0; offset < message.size(); offset += kMessageBytes) {
        xcb_client_message_event_t piece{};
        piece.response_type = XCB_CLIENT_MESSAGE;
        piece.format = 8;
        piece.window = id;
        piece.type = offset == 0 ? begin : more;
        const QByteArray bytes = message.mid(offset, kMessageBytes);
        std::memcpy(piece.data.data8, bytes.constData(), static_cast<std::size_t>(bytes.size()));
        xcb_send_event(x11, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE, reinterpret_cast<const char*>(&piece));
    }
    xcb_flush(x11);
}

// Waits for the window to become the active one, then calls back and goes.
class ActivationWait final : public QObject, public QAbstractNativeEventFilter {
public:
    ActivationWait(QWidget& window, std::chrono::milliseconds limit, std::function<void()> then)
        : QObject(&window), m_window(window), m_then(std::move(then)), m_x11(X11Connection())
    {
        QTimer::singleShot(limit, this, &ActivationWait::Done);
        if (m_x11 == nullptr) {
            connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focused) {
                if (focused != nullptr && focused == m_window.windowHandle())
                    Done();
            });
            return;
        }
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_x11)).data->root;
        m_activeAtom = Atom(m_x11, "_NET_ACTIVE_WINDOW");
        // Changes of the root's properties reach us only when asked for;
        // whatever Qt asked for stays.
        const std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
            xcb_get_window_attributes_reply(m_x11, xcb_get_window_attributes(m_x11, m_root), nullptr), &std::free);
        const uint32_t mask = (attributes != nullptr ? attributes->your_event_mask : 0U) |
                              XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(m_x11, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_x11);
        QAbstractEventDispatcher::instance()->installNativeEventFilter(this);
        if (IsActive())
            QTimer::singleShot(0, this, &ActivationWait::Done);
    }

    ~ActivationWait() override
    {
        if (m_x11 != nullptr)
            QAbstractEventDispatcher::instance()->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & ~0x80) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto* change = static_cast<const xcb_property_notify_event_t*>(message);
        if (change->window == m_root && change->atom == m_activeAtom && IsActive())
            QTimer::singleShot(0, this, &ActivationWait::Done);
        return false;
    }

private:
    bool IsActive() const
    {
        const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(m_x11, xcb_get_property(m_x11, 0, m_root, m_activeAtom, XCB_ATOM_WINDOW, 0, 1),
                                   nullptr),
            &std::free);
        if (reply == nullptr || xcb_get_property_value_length(reply.get()) != sizeof(xcb_window_t))
            return false;
        const auto active = *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
        return active == static_cast<xcb_window_t>(m_window.winId());
    }

    void Done()
    {
        if (std::exchange(m_done, true))
            return;
        m_then();
        deleteLater();
    }

    QWidget& m_window;
    std::function<void()> m_then;
    xcb_connection_t* m_x11 = nullptr;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    xcb_atom_t m_activeAtom = XCB_ATOM_NONE;
    bool m_done = false;
};

} // namespace

void BringForward(QWidget& window, const QString& activationToken)
{
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    // Qt's Wayland platform activates with the token it finds here, once.
    if (!activationToken.isEmpty() && RunsOnWayland())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    window.activateWindow();
    if (!activationToken.isEmpty() && !RunsOnWayland())
        EndStartup(window, activationToken.toLatin1());
}

void WhenActive(QWidget& window, std::chrono::milliseconds limit, std::function<void()> then)
{
    new ActivationWait(window, limit, std::move(then));
}

} // namespace tintwell::platform
