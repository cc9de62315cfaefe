#include "platform/portal/portal_request.h"

#include "platform/display_platform.h"
#include "platform/portal/portal_bus.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QRandomGenerator>
#include <QTimer>
#include <QWidget>

#include <utility>

using namespace Qt::StringLiterals;

namespace tintwell::platform {

namespace {

constexpr auto kRequest = "org.freedesktop.portal.Request"_L1;
constexpr auto kResponse = "Response"_L1;

// What an error reply to the call says about the portal.
PortalFailure FailureOf(const QDBusError& error)
{
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::Disconnected:
        return PortalFailure::NoPortal;
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownObject:
        return PortalFailure::NoInterface;
    case QDBusError::UnknownMethod:
        // The front end says "No such interface" when no back end serves
        // the interface, and the bus says "No such method" for an old one.
        return error.message().contains("interface"_L1, Qt::CaseInsensitive) ? PortalFailure::NoInterface
                                                                             : PortalFailure::NoMethod;
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        return PortalFailure::NoAnswer;
    default:
        break;
    }
    // Activation errors come with names QtDBus has no type for.
    if (error.name().startsWith("org.freedesktop.DBus.Error.Spawn"_L1) ||
        error.name() == "org.freedesktop.DBus.Error.NameHasNoOwner"_L1)
        return PortalFailure::NoPortal;
    return PortalFailure::Refused;
}

} // namespace

QString ParentWindow(const QObject* owner)
{
    // Elsewhere the portal takes an empty string.
    if (!RunsOnX11())
        return {};
    for (; owner != nullptr; owner = owner->parent()) {
        if (const auto* widget = qobject_cast<const QWidget*>(owner))
            return u"x11:%1"_s.arg(widget->window()->winId(), 0, 16);
    }
    return {};
}

void ClosePortalObject(QDBusConnection& bus, const QString& path, QLatin1StringView interface)
{
    QDBusMessage close = QDBusMessage::createMethodCall(kPortalService, path, interface, u"Close"_s);
    close.setAutoStartService(false);
    bus.send(close);
}

PortalRequest::PortalRequest(QObject* parent, PortalOptions options)
    : QObject(parent)
    , m_bus(std::move(options.bus))
    , m_callTimeout(options.callTimeout)
    , m_answerTimer(new QTimer(this))
    , m_slowTimer(new QTimer(this))
{
    m_answerTimer->setSingleShot(true);
    m_answerTimer->setInterval(options.answerTimeout);
    connect(m_answerTimer, &QTimer::timeout, this, [this] { Fail(PortalFailure::NoAnswer); });
    m_slowTimer->setSingleShot(true);
    m_slowTimer->setInterval(kSlowAnswer);
    connect(m_slowTimer, &QTimer::timeout, this, &PortalRequest::Slow);
}

PortalRequest::~PortalRequest()
{
    Abandon();
}

void PortalRequest::Send(QLatin1StringView interface, const QString& method, const QVariantList& arguments,
                         QVariantMap options)
{
    if (m_open)
        return;
    if (!m_bus)
        m_bus = PortalBus();
    m_open = true;
    const quint64 request = ++m_requests;
    WhenPortalKnowsUs(*m_bus, this, m_callTimeout, m_startsPortal,
                      [this, request, interface, method, arguments, options = std::move(options)]() mutable {
                          // Given up on, or followed by another, while the portal learnt our name.
                          if (m_open && request == m_requests)
                              Call(interface, method, arguments, std::move(options));
                      });
}

void PortalRequest::Call(QLatin1StringView interface, const QString& method, const QVariantList& arguments,
                         QVariantMap options)
{
    m_answerTimer->start();
    m_slowTimer->start();
    m_sinceSent.start();
    // The portal makes the request's path from our name and this token, so
    // the answer can be listened for before the call; nobody else can guess
    // the token and answer in the portal's place.
    const QString token = u"tintwell_%1"_s.arg(QRandomGenerator::global()->generate64());
    if (m_bus->isConnected()) {
        const QString sender = m_bus->baseService().mid(1).replace(u'.', u'_');
        Listen(u"%1/request/%2/%3"_s.arg(kPortalPath, sender, token));
    }

    options.insert(u"handle_token"_s, token);
    QDBusMessage call = QDBusMessage::createMethodCall(kPortalService, kPortalPath, interface, method);
    call.setArguments(QVariantList(arguments) << options);
    call.setAutoStartService(m_startsPortal);
    m_call = new QDBusPendingCallWatcher(m_bus->asyncCall(call, static_cast<int>(m_callTimeout.count())), this);
    connect(m_call, &QDBusPendingCallWatcher::finished, this, &PortalRequest::OnCallFinished);
}

void PortalRequest::OnCallFinished(QDBusPendingCallWatcher* call)
{
    const QDBusPendingReply<QDBusObjectPath> reply = *call;
    call->deleteLater();
    m_call = nullptr;
    if (reply.isError()) {
        Fail(FailureOf(reply.error()));
        return;
    }
    // Portals older than the path convention pick the path themselves.
    const QString handle = reply.value().path();
    if (handle != m_requestPath) {
        StopListening();
        Listen(handle);
    }
}

void PortalRequest::OnResponse(uint response, const QVariantMap& results)
{
    // An answer already on its way when the request ended.
    if (!m_open)
        return;
    m_answeredAfter = std::chrono::milliseconds(m_sinceSent.elapsed());
    // The request is over on the portal's side, so there is nothing to close.
    TearDown();
    Q_EMIT Answered(response, results);
}

void PortalRequest::Listen(const QString& requestPath)
{
    m_requestPath = requestPath;
    m_bus->connect(kPortalService, m_requestPath, kRequest, kResponse, this, SLOT(OnResponse(uint, QVariantMap)));
}

void PortalRequest::StopListening()
{
    if (m_requestPath.isEmpty())
        return;
    m_bus->disconnect(kPortalService, m_requestPath, kRequest, kResponse, this, SLOT(OnResponse(uint, QVariantMap)));
    m_requestPath.clear();
}

void PortalRequest::TearDown()
{
    m_open = false;
    m_answerTimer->stop();
    m_slowTimer->stop();
    if (m_call) {
        m_call->disconnect(this);
        m_call->deleteLater();
        m_call = nullptr;
    }
    StopListening();
}

void PortalRequest::Abandon()
{
    if (!m_open)
        return;
    // Takes the desktop's dialog off the screen.
    if (!m_requestPath.isEmpty())
        ClosePortalObject(*m_bus, m_requestPath, kRequest);
    TearDown();
}

void PortalRequest::Fail(PortalFailure why)
{
    Abandon();
    Q_EMIT Failed(why);
}

} // namespace tintwell::platform
