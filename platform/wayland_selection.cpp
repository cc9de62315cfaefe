#include "platform/wayland_selection.h"

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <QSocketNotifier>

#include <wayland-client.h>

#include <csignal>
#include <cstring>
#include <utility>

#include <unistd.h>

namespace tintwell::platform {

namespace {

// What a paste may ask for: the text types of every toolkit, X's included.
constexpr const char* kTextTypes[] = {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "STRING", "TEXT"};

} // namespace

WaylandSelection::WaylandSelection(QObject* parent) : QObject(parent) {}

WaylandSelection::~WaylandSelection()
{
    Disconnect();
}

bool WaylandSelection::Set(const QByteArray& text)
{
    if (!Connect())
        return false;
    DropSource();
    m_text = text;
    m_source = zwlr_data_control_manager_v1_create_data_source(m_manager);
    static const zwlr_data_control_source_v1_listener listener{&OnSend, &OnCancelled};
    zwlr_data_control_source_v1_add_listener(m_source, &listener, this);
    for (const char* type : kTextTypes)
        zwlr_data_control_source_v1_offer(m_source, type);
    zwlr_data_control_device_v1_set_selection(m_device, m_source);
    return wl_display_flush(m_display) >= 0;
}

bool WaylandSelection::Connect()
{
    if (m_device != nullptr)
        return true;
    // Asked once: a desktop without the protocol does not gain it later.
    if (std::exchange(m_tried, true))
        return false;
    m_display = wl_display_connect(nullptr);
    if (m_display == nullptr)
        return false;
    m_registry = wl_display_get_registry(m_display);
    static const wl_registry_listener listener{&OnGlobal, [](void*, wl_registry*, uint32_t) {}};
    wl_registry_add_listener(m_registry, &listener, this);
    if (wl_display_roundtrip(m_display) < 0 || m_manager == nullptr || m_seat == nullptr) {
        Disconnect();
        return false;
    }
    m_device = zwlr_data_control_manager_v1_get_data_device(m_manager, m_seat);
    // A paste comes as a request to send on this connection; a writer whose
    // reader has gone gets an error to ignore, not a signal that ends us.
    std::signal(SIGPIPE, SIG_IGN);
    m_notifier = new QSocketNotifier(wl_display_get_fd(m_display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &WaylandSelection::Dispatch);
    return true;
}

void WaylandSelection::Dispatch()
{
    if (wl_display_dispatch(m_display) < 0) {
        // The compositor went away; so did what we offered.
        Disconnect();
        return;
    }
    wl_display_flush(m_display);
}

void WaylandSelection::OnGlobal(void* self, wl_registry* registry, uint32_t name, const char* interface,
                                uint32_t /*version*/)
{
    auto* selection = static_cast<WaylandSelection*>(self);
    if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0 && selection->m_manager == nullptr)
        selection->m_manager = static_cast<zwlr_data_control_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface, 1));
    else if (std::strcmp(interface, wl_seat_interface.name) == 0 && selection->m_seat == nullptr)
        selection->m_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
}

void WaylandSelection::OnSend(void* self, zwlr_data_control_source_v1*, const char*, int32_t fd)
{
    const QByteArray& text = static_cast<WaylandSelection*>(self)->m_text;
    for (qsizetype written = 0; written < text.size();) {
        const ssize_t now = ::write(fd, text.constData() + written, static_cast<size_t>(text.size() - written));
        if (now <= 0)
            break;
        written += now;
    }
    ::close(fd);
}

void WaylandSelection::OnCancelled(void* self, zwlr_data_control_source_v1*)
{
    static_cast<WaylandSelection*>(self)->DropSource();
}

void WaylandSelection::DropSource()
{
    if (m_source != nullptr)
        zwlr_data_control_source_v1_destroy(m_source);
    m_source = nullptr;
}

void WaylandSelection::Disconnect()
{
    if (m_notifier != nullptr) {
        // Later, as this may run in its own slot.
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
    DropSource();
    if (m_device != nullptr)
        zwlr_data_control_device_v1_destroy(m_device);
    if (m_manager != nullptr)
        zwlr_data_control_manager_v1_destroy(m_manager);
    if (m_seat != nullptr)
        wl_seat_destroy(m_seat);
    if (m_registry != nullptr)
        wl_registry_destroy(m_registry);
    if (m_display != nullptr)
        wl_display_disconnect(m_display);
    m_device = nullptr;
    m_manager = nullptr;
    m_seat = nullptr;
    m_registry = nullptr;
    m_display = nullptr;
}

} // namespace tintwell::platform
