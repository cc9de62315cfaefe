#pragma once

#include <QByteArray>
#include <QObject>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwlr_data_control_manager_v1;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_source_v1;
class QSocketNotifier;

namespace tintwell::platform {

// Puts text on a Wayland desktop's clipboard without a window that has the
// focus, the way clipboard managers do, where the compositor offers
// wlr-data-control (KWin, sway and the other wlroots desktops). Desktops
// take an ordinary copy only from the window with the focus, which a
// program behind others may not be given (KWin 5.27 gives it no token to
// take it with). A connection of its own serves the text to whoever pastes
// it, until another program takes the clipboard.
class WaylandSelection final : public QObject {
    Q_OBJECT

public:
    explicit WaylandSelection(QObject* parent);
    ~WaylandSelection() override;

    // False where there is no such way: no Wayland display, or a compositor
    // without wlr-data-control (GNOME).
    bool Set(const QByteArray& text);

private:
    bool Connect();
    void Disconnect();
    void Dispatch();
    void DropSource();

    static void OnGlobal(void* self, wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
    static void OnSend(void* self, zwlr_data_control_source_v1* source, const char* mimeType, int32_t fd);
    static void OnCancelled(void* self, zwlr_data_control_source_v1* source);

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    zwlr_data_control_manager_v1* m_manager = nullptr;
    zwlr_data_control_device_v1* m_device = nullptr;
    zwlr_data_control_source_v1* m_source = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    QByteArray m_text;
    bool m_tried = false;
};

} // namespace tintwell::platform
