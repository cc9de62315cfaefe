#include "platform/application_service.h"

#include "platform/display_platform.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantList>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace tintwell::platform {

namespace {

// RequestName's flag, and its answer when the name is ours.
constexpr uint kDoNotQueue = 4;
constexpr uint kPrimaryOwner = 1;

// Tokens that desktops hand out are short; a longer one is no token.
constexpr qsizetype kLongestToken = 256;

struct NamedAction {
    QLatin1StringView name;
    ApplicationService::Action action;
};
constexpr std::array kActions{
    NamedAction{"pick"_L1, ApplicationService::Action::Pick},
    NamedAction{"pick-and-copy"_L1, ApplicationService::Action::PickAndCopy},
};

// The object path of an application id: its dots become slashes, and its
// dashes, which a path cannot hold, underscores.
QString PathOf(QString appId)
{
    return u'/' + appId.replace(u'.', u'/').replace(u'-', u'_');
}

// A token goes on to the windowing system (an environment variable, an X
// message), so only what a desktop ever makes is let through: printable
// ASCII without spaces or quotes, of a sensible length.
bool Usable(const QString& token)
{
    return !token.isEmpty() && token.size() <= kLongestToken && std::all_of(token.begin(), token.end(), [](QChar c) {
        return c.unicode() > u' ' && c.unicode() < 0x7F && c != u'"' && c != u'\\';
    });
}

QString TextAt(const QVariantMap& platformData, const QString& key)
{
    const QVariant value = platformData.value(key);
    return value.metaType() == QMetaType::fromType<QString>() ? value.toString() : QString();
}

} // namespace

// The interface itself, on the service's object. QtDBus answers a call of
// any other shape (wrong argument types, too few, too many) with an error
// of its own before it gets here.
class ApplicationAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    explicit ApplicationAdaptor(ApplicationService& service, QDBusConnection bus)
        : QDBusAbstractAdaptor(&service), m_service(service), m_bus(std::move(bus))
    {
    }

public Q_SLOTS:
    void Activate(const QVariantMap& platformData)
    {
        Q_EMIT m_service.Activated(ApplicationService::ActivationToken(platformData, RunsOnWayland()));
    }

    // There is nothing to open: it does what Activate does.
    void Open(const QStringList&, const QVariantMap& platformData) { Activate(platformData); }

    void ActivateAction(const QString& name, const QVariantList& parameter, const QVariantMap& platformData,
                        const QDBusMessage& call)
    {
        const auto* known = std::find_if(kActions.begin(), kActions.end(),
                                         [&name](const NamedAction& action) { return action.name == name; });
        if (known == kActions.end()) {
            Refuse(call, u"No such action. The actions are pick and pick-and-copy."_s);
            return;
        }
        if (!parameter.isEmpty()) {
            Refuse(call, u"The action %1 takes no parameter."_s.arg(known->name));
            return;
        }
        Q_EMIT m_service.ActionActivated(known->action,
                                         ApplicationService::ActivationToken(platformData, RunsOnWayland()));
    }

private:
    void Refuse(const QDBusMessage& call, const QString& why)
    {
        call.setDelayedReply(true);
        m_bus.send(call.createErrorReply(QDBusError::InvalidArgs, why));
    }

    ApplicationService& m_service;
    QDBusConnection m_bus;
};

ApplicationService::ApplicationService(QObject* parent) : ApplicationService(parent, QDBusConnection::sessionBus()) {}

ApplicationService::ApplicationService(QObject* parent, const QDBusConnection& bus)
    : QObject(parent), m_connection(bus.name())
{
    qRegisterMetaType<Action>();
    new ApplicationAdaptor(*this, bus);
}

void ApplicationService::Offer(const QString& appId)
{
    QDBusConnection bus(m_connection);
    if (appId.isEmpty() || !m_path.isEmpty() || !bus.isConnected())
        return;
    // Ready before the name is, since the bus hands over the calls it held
    // for the name as soon as it is ours.
    m_path = PathOf(appId);
    if (!bus.registerObject(m_path, this, QDBusConnection::ExportAdaptors))
        return;
    QDBusMessage request = QDBusMessage::createMethodCall(u"org.freedesktop.DBus"_s, u"/org/freedesktop/DBus"_s,
                                                          u"org.freedesktop.DBus"_s, u"RequestName"_s);
    request << appId << kDoNotQueue;
    auto* reply = new QDBusPendingCallWatcher(bus.asyncCall(request), this);
    connect(reply, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusPendingReply<uint> answer = *finished;
        // Another copy answers there: this one runs on its own.
        if (answer.isError() || answer.value() != kPrimaryOwner)
            QDBusConnection(m_connection).unregisterObject(m_path);
    });
}

QString ApplicationService::ActivationToken(const QVariantMap& platformData, bool wayland)
{
    const QString activation = TextAt(platformData, u"activation-token"_s);
    const QString startup = TextAt(platformData, u"desktop-startup-id"_s);
    for (const QString& token : wayland ? std::array{activation, startup} : std::array{startup, activation}) {
        if (Usable(token))
            return token;
    }
    return {};
}

} // namespace tintwell::platform

#include "application_service.moc"
