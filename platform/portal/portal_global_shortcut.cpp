#include "platform/portal/portal_global_shortcut.h"

#include "platform/portal/portal_bus.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QList>
#include <QRegularExpression>

#include <algorithm>

#include <utility>

using namespace Qt::StringLiterals;

namespace tintwell::platform {

namespace {

constexpr auto kGlobalShortcuts = "org.freedesktop.portal.GlobalShortcuts"_L1;
constexpr auto kSession = "org.freedesktop.portal.Session"_L1;
constexpr auto kActivated = "Activated"_L1;
constexpr auto kShortcutId = "pick-and-copy"_L1;
// As the XDG shortcuts format writes keys: modifiers, then the keysym's name.
constexpr auto kPreferredTrigger = "CTRL+ALT+p"_L1;
// Some desktops name the shortcuts' group after the session, so it is the
// same every run, and the key the user chose stays with it.
constexpr auto kSessionToken = "tintwell"_L1;

// The shortcuts to bind, a(sa{sv}): each one's id and its properties.
using Shortcut = std::pair<QString, QVariantMap>;
using Shortcuts = QList<Shortcut>;

// The session's handle from the answer to CreateSession, or none. Portals
// send it as a string, though it is documented as an object path.
QString SessionOf(const QVariantMap& results)
{
    const QVariant handle = results.value(u"session_handle"_s);
    if (handle.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return handle.value<QDBusObjectPath>().path();
    // Checked here, as QtDBus would only complain of a bad path on the next call.
    static const QRegularExpression objectPath(u"^(/[A-Za-z0-9_]+)+$"_s);
    if (handle.metaType() == QMetaType::fromType<QString>() && objectPath.match(handle.toString()).hasMatch())
        return handle.toString();
    return {};
}

Shortcuts OurShortcuts()
{
    return {{kShortcutId,
             {{u"description"_s, PortalGlobalShortcut::tr("Pick a colour and copy it")},
              {u"preferred_trigger"_s, QString(kPreferredTrigger)}}}};
}

// Whether ListShortcuts' answer names our shortcut; an answer of any other
// shape names nothing.
bool Lists(const QVariantMap& results, QLatin1StringView id)
{
    const QVariant listed = results.value(u"shortcuts"_s);
    if (listed.metaType() != QMetaType::fromType<QDBusArgument>())
        return false;
    const auto argument = listed.value<QDBusArgument>();
    if (argument.currentSignature() != "a(sa{sv})"_L1)
        return false;
    Shortcuts shortcuts;
    argument >> shortcuts;
    return std::any_of(shortcuts.begin(), shortcuts.end(), [id](const Shortcut& s) { return s.first == id; });
}

} // namespace

PortalGlobalShortcut::PortalGlobalShortcut(QObject* parent, PortalOptions options)
    : GlobalShortcut(parent), m_bus(options.bus), m_request(new PortalRequest(this, std::move(options)))
{
    qDBusRegisterMetaType<Shortcut>();
    qDBusRegisterMetaType<Shortcuts>();
    connect(m_request, &PortalRequest::Answered, this, &PortalGlobalShortcut::OnAnswered);
    connect(m_request, &PortalRequest::Failed, this, &PortalGlobalShortcut::OnFailed);
    // Started by the bus for a window that merely opened, the portal would
    // bring up the desktop's whole portal stack with it.
    m_request->SetStartsPortal(false);
}

PortalGlobalShortcut::~PortalGlobalShortcut()
{
    CloseSession();
}

void PortalGlobalShortcut::Register()
{
    if (m_state != State::Unregistered)
        return;
    // The same connection the request takes when it has none.
    if (!m_bus)
        m_bus = PortalBus();
    m_state = State::OpeningSession;
    // Listened for from the start, so none is missed once bound; any that
    // comes before then is ignored.
    m_bus->connect(kPortalService, kPortalPath, kGlobalShortcuts, kActivated, this, SLOT(OnActivated(QDBusMessage)));
    OpenSession();
}

void PortalGlobalShortcut::OpenSession()
{
    if (m_state != State::OpeningSession || m_request->IsOpen())
        return;
    m_request->Send(
        kGlobalShortcuts, u"CreateSession"_s, {},
        {{u"session_handle_token"_s, QString(kSessionToken)}, {u"shortcuts"_s, QVariant::fromValue(OurShortcuts())}});
}

void PortalGlobalShortcut::OnAnswered(uint response, const QVariantMap& results)
{
    if (m_state == State::Listing) {
        OnListed(response, results);
        return;
    }
    if (response != kSucceeded) {
        GiveUp();
        return;
    }
    if (m_state == State::Binding) {
        m_state = State::Bound;
        return;
    }
    m_session = SessionOf(results);
    if (m_session.isEmpty()) {
        GiveUp();
        return;
    }
    m_state = State::Listing;
    m_request->Send(kGlobalShortcuts, u"ListShortcuts"_s, {QVariant::fromValue(QDBusObjectPath(m_session))}, {});
}

void PortalGlobalShortcut::OnListed(uint response, const QVariantMap& results)
{
    // Bound in an earlier run, or as the session opened: asking again would
    // only bring up the desktop's dialog for nothing.
    if (response == kSucceeded && Lists(results, kShortcutId)) {
        m_state = State::Bound;
        return;
    }
    Bind();
}

void PortalGlobalShortcut::Bind()
{
    m_state = State::Binding;
    m_request->Send(kGlobalShortcuts, u"BindShortcuts"_s,
                    {QVariant::fromValue(QDBusObjectPath(m_session)), QVariant::fromValue(OurShortcuts()), QString()},
                    {});
}

void PortalGlobalShortcut::OnActivated(const QDBusMessage& signal)
{
    // (o session, s shortcut id, t timestamp, a{sv} options); the bus
    // already made sure it comes from the portal.
    if (m_state != State::Bound || !signal.signature().startsWith("os"_L1))
        return;
    const QVariantList arguments = signal.arguments();
    if (arguments.at(0).value<QDBusObjectPath>().path() != m_session || arguments.at(1).toString() != kShortcutId)
        return;
    // Newer portals pass the token that lets the window take the focus.
    QString token;
    if (signal.signature() == "osta{sv}"_L1) {
        const QVariant given = qdbus_cast<QVariantMap>(arguments.at(3)).value(u"activation_token"_s);
        if (given.metaType() == QMetaType::fromType<QString>())
            token = given.toString();
    }
    Q_EMIT Activated(token);
}

void PortalGlobalShortcut::OnFailed(PortalFailure why)
{
    // A portal that cannot list may still bind.
    if (m_state == State::Listing) {
        Bind();
        return;
    }
    if (why != PortalFailure::NoPortal || m_state != State::OpeningSession || !m_bus->isConnected()) {
        GiveUp();
        return;
    }
    if (m_portalWatcher == nullptr) {
        m_portalWatcher = new QDBusServiceWatcher(kPortalService, *m_bus, QDBusServiceWatcher::WatchForRegistration,
                                                  this);
        connect(m_portalWatcher, &QDBusServiceWatcher::serviceRegistered, this, &PortalGlobalShortcut::OpenSession);
    }
}

void PortalGlobalShortcut::GiveUp()
{
    m_state = State::GaveUp;
    if (m_portalWatcher != nullptr)
        m_portalWatcher->setWatchedServices({});
    m_bus->disconnect(kPortalService, kPortalPath, kGlobalShortcuts, kActivated, this, SLOT(OnActivated(QDBusMessage)));
    CloseSession();
}

void PortalGlobalShortcut::CloseSession()
{
    if (m_session.isEmpty())
        return;
    ClosePortalObject(*m_bus, m_session, kSession);
    m_session.clear();
}

} // namespace tintwell::platform
