#pragma once

#include "platform/global_shortcut.h"
#include "platform/portal/portal_request.h"

#include <QDBusConnection>
#include <QString>
#include <QVariantMap>

#include <chrono>
#include <optional>

class QDBusMessage;
class QDBusServiceWatcher;

namespace tintwell::platform {

// The shortcut that picks a colour and copies it, bound through
// xdg-desktop-portal's global shortcuts service
// (org.freedesktop.portal.GlobalShortcuts) in a session of the program's own.
// The session has the same name every run and offers the shortcut as it
// opens, as some desktops bind only what CreateSession names; the desktop
// is asked to bind it (which may open a dialog) only when it does not list
// it already. Whatever comes back over the bus is checked before it is
// believed; anything amiss leaves the shortcut unbound. It never starts the
// portal itself: one that is not running yet is waited for.
class PortalGlobalShortcut final : public GlobalShortcut {
    Q_OBJECT

public:
    explicit PortalGlobalShortcut(QObject* parent, PortalOptions options = {});
    ~PortalGlobalShortcut() override;

    void Register() override;

private Q_SLOTS:
    // A slot because QtDBus can only name a signal's receiver by signature.
    void OnActivated(const QDBusMessage& signal);

private:
    enum class State { Unregistered, OpeningSession, Listing, Binding, Bound, GaveUp };

    void OpenSession();
    void OnAnswered(uint response, const QVariantMap& results);
    void OnListed(uint response, const QVariantMap& results);
    void Bind();
    void OnFailed(PortalFailure why);
    // Leaves the shortcut unbound for good, with nothing left open.
    void GiveUp();
    void CloseSession();

    std::optional<QDBusConnection> m_bus;
    PortalRequest* m_request = nullptr;
    QDBusServiceWatcher* m_portalWatcher = nullptr;
    QString m_session;
    State m_state = State::Unregistered;
};

} // namespace tintwell::platform
