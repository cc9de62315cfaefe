#include "platform/portal/portal_bus.h"

#include "platform/portal/portal_request.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QHash>
#include <QPointer>

#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace tintwell::platform {

namespace {

constexpr auto kRegistry = "org.freedesktop.host.portal.Registry"_L1;

// Whether an error reply to Register means no portal is running yet, so a
// portal that starts later must be asked again.
bool PortalAbsent(const QDBusError& error)
{
    return error.type() == QDBusError::ServiceUnknown || error.type() == QDBusError::Disconnected ||
           error.name() == "org.freedesktop.DBus.Error.NameHasNoOwner"_L1 ||
           error.name().startsWith("org.freedesktop.DBus.Error.Spawn"_L1);
}

// The program's registration with the portal on one connection: asked once,
// and again only when a new portal takes the name.
class Registration final : public QObject {
public:
    Registration(QDBusConnection bus, QString appId)
        : QObject(QCoreApplication::instance()), m_bus(std::move(bus)), m_appId(std::move(appId))
    {
        // A portal that restarts has forgotten us.
        auto* watcher = new QDBusServiceWatcher(kPortalService, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
        connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, [this] {
            if (m_state == State::Known)
                m_state = State::Unasked;
        });
    }

    void Then(QObject* context, std::chrono::milliseconds limit, bool startsPortal, std::function<void()> then)
    {
        if (m_state == State::Known) {
            then();
            return;
        }
        m_waiting.emplace_back(context, std::move(then));
        if (m_state == State::Asking)
            return;
        m_state = State::Asking;
        QDBusMessage call = QDBusMessage::createMethodCall(kPortalService, kPortalPath, kRegistry, u"Register"_s);
        call << m_appId << QVariantMap();
        call.setAutoStartService(startsPortal);
        auto* reply = new QDBusPendingCallWatcher(m_bus.asyncCall(call, static_cast<int>(limit.count())), this);
        connect(reply, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
            finished->deleteLater();
            // Whatever else the answer, there is nothing more to try: an old
            // portal has no registry, and one that refuses will not change
            // its mind. Either way the program goes on as it would without.
            m_state = finished->isError() && PortalAbsent(finished->error()) ? State::Unasked : State::Known;
            for (auto& [waiter, go] : std::exchange(m_waiting, {})) {
                if (!waiter.isNull())
                    go();
            }
        });
    }

private:
    enum class State { Unasked, Asking, Known };

    QDBusConnection m_bus;
    QString m_appId;
    State m_state = State::Unasked;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> m_waiting;
};

} // namespace

QDBusConnection PortalBus()
{
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"tintwell-portal"_s);
}

void WhenPortalKnowsUs(QDBusConnection bus, QObject* context, std::chrono::milliseconds limit, bool startsPortal,
                       std::function<void()> then)
{
    const QString appId = QGuiApplication::desktopFileName();
    if (appId.isEmpty() || !bus.isConnected()) {
        then();
        return;
    }
    // One per connection to one bus: a test's buses may reuse a name.
    static QHash<QString, QPointer<Registration>> registrations;
    QPointer<Registration>& registration = registrations[bus.name() + bus.baseService()];
    if (registration.isNull())
        registration = new Registration(bus, appId);
    registration->Then(context, limit, startsPortal, std::move(then));
}

} // namespace tintwell::platform
