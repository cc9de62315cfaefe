#include "tests/support/fake_portal.h"

#include <QDBusMetaType>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <utility>

#include <sys/prctl.h>

using namespace Qt::StringLiterals;

namespace {

const auto kService = u"org.freedesktop.portal.Desktop"_s;
const auto kDesktopPath = u"/org/freedesktop/portal/desktop"_s;

} // namespace

FakeGlobalShortcuts::FakeGlobalShortcuts(FakePortal& portal) : QDBusAbstractAdaptor(&portal), m_portal(portal)
{
    qDBusRegisterMetaType<FakeShortcuts::value_type>();
    qDBusRegisterMetaType<FakeShortcuts>();
    // QtDBus finds a slot's argument types by the names written in it.
    qRegisterMetaType<FakeShortcuts>("FakeShortcuts");
}

QDBusObjectPath FakeGlobalShortcuts::CreateSession(const QVariantMap& options, const QDBusMessage& call)
{
    if (m_portal.wantsAppId && m_portal.appIds.value(call.service()).isEmpty()) {
        call.setDelayedReply(true);
        m_portal.Send(call.createErrorReply(u"org.freedesktop.DBus.Error.AccessDenied"_s, u"An app id is required"_s));
        return {};
    }
    m_portal.sessionOptions = options;
    m_portal.Serve(m_portal.createSession, options, call);
    return {};
}

QDBusObjectPath FakeGlobalShortcuts::ListShortcuts(const QDBusObjectPath&, const QVariantMap& options,
                                                   const QDBusMessage& call)
{
    m_portal.Serve(m_portal.listShortcuts, options, call);
    return {};
}

QDBusObjectPath FakeGlobalShortcuts::BindShortcuts(const QDBusObjectPath& session, const FakeShortcuts& shortcuts,
                                                   const QString&, const QVariantMap& options, const QDBusMessage& call)
{
    m_portal.boundSession = session.path();
    m_portal.boundShortcuts = shortcuts;
    m_portal.Serve(m_portal.bindShortcuts, options, call);
    return {};
}

FakeRegistry::FakeRegistry(FakePortal& portal) : QDBusAbstractAdaptor(&portal), m_portal(portal) {}

void FakeRegistry::Register(const QString& appId, const QVariantMap&, const QDBusMessage& call)
{
    ++m_portal.registry.calls;
    call.setDelayedReply(true);
    switch (m_portal.registry.behaviour) {
    case Portal::Answers:
        m_portal.appIds.insert(call.service(), appId);
        m_portal.Send(call.createReply());
        return;
    case Portal::LacksTheInterface:
        m_portal.Send(call.createErrorReply(u"org.freedesktop.DBus.Error.UnknownMethod"_s,
                                            u"No such interface “%1”"_s.arg(call.interface())));
        return;
    case Portal::NeverReplies:
        return;
    default:
        m_portal.Send(call.createErrorReply(u"org.freedesktop.DBus.Error.Failed"_s, u"Registered too late"_s));
        return;
    }
}

FakePortal::FakePortal(QDBusConnection bus) : m_bus(std::move(bus))
{
    new FakeGlobalShortcuts(*this);
    new FakeRegistry(*this);
    m_bus.registerObject(kDesktopPath, this, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAdaptors);
}

bool FakePortal::Appear()
{
    return m_bus.registerService(kService);
}

void FakePortal::Disappear()
{
    m_bus.unregisterService(kService);
}

void FakePortal::Reset()
{
    Disappear();
    pickColor = {};
    screenshot = {};
    createSession = {};
    bindShortcuts = {};
    listShortcuts = {};
    registry = {};
    wantsAppId = false;
    appIds.clear();
    sessionOptions.clear();
    request.closed = 0;
    m_caller.clear();
    boundSession.clear();
    boundShortcuts.clear();
}

void FakePortal::Send(const QDBusMessage& message) const
{
    m_bus.send(message);
}

void FakePortal::Answer(const QString& path, const FakeMethod& method) const
{
    m_bus.send(QDBusMessage::createSignal(path, u"org.freedesktop.portal.Request"_s, u"Response"_s)
               << method.response << method.results);
}

void FakePortal::Activate(const QVariantList& arguments) const
{
    QDBusMessage signal = QDBusMessage::createTargetedSignal(
        m_caller, kDesktopPath, u"org.freedesktop.portal.GlobalShortcuts"_s, u"Activated"_s);
    signal.setArguments(arguments);
    m_bus.send(signal);
}

QDBusObjectPath FakePortal::PickColor(const QString&, const QVariantMap& options, const QDBusMessage& call)
{
    Serve(pickColor, options, call);
    return {};
}

QDBusObjectPath FakePortal::Screenshot(const QString&, const QVariantMap& options, const QDBusMessage& call)
{
    Serve(screenshot, options, call);
    return {};
}

void FakePortal::Serve(FakeMethod& method, const QVariantMap& options, const QDBusMessage& call)
{
    ++method.calls;
    call.setDelayedReply(true);
    m_bus.unregisterObject(requestPath);
    m_caller = call.service();
    const QString sender = call.service().mid(1).replace(u'.', u'_');
    requestPath = method.behaviour == Portal::MovesTheHandle
                      ? kDesktopPath + u"/request/elsewhere/1"_s
                      : u"%1/request/%2/%3"_s.arg(kDesktopPath, sender, options[u"handle_token"_s].toString());
    m_bus.registerObject(requestPath, &request, QDBusConnection::ExportAllSlots);

    switch (method.behaviour) {
    case Portal::Refuses:
        m_bus.send(call.createErrorReply(u"org.freedesktop.DBus.Error.AccessDenied"_s, {}));
        return;
    case Portal::LacksTheInterface:
        // What the front end says when no back end serves the interface.
        m_bus.send(call.createErrorReply(u"org.freedesktop.DBus.Error.UnknownMethod"_s,
                                         u"No such interface “%1”"_s.arg(call.interface())));
        return;
    case Portal::LacksTheMethod:
        m_bus.send(call.createErrorReply(u"org.freedesktop.DBus.Error.UnknownMethod"_s,
                                         u"No such method “%1”"_s.arg(call.member())));
        return;
    case Portal::NeverReplies:
        return;
    default:
        break;
    }
    m_bus.send(call.createReply(QVariant::fromValue(QDBusObjectPath(requestPath))));
    switch (method.behaviour) {
    case Portal::AnswersTwice:
        Answer(requestPath, method);
        [[fallthrough]];
    case Portal::Answers:
        Answer(requestPath, method);
        break;
    case Portal::AnswersLate:
        QTimer::singleShot(kLateMilliseconds, this, [this, path = requestPath, method] { Answer(path, method); });
        break;
    case Portal::AnswersElsewhere:
        Answer(kDesktopPath + u"/request/someone_else/token"_s, method);
        break;
    default:
        break;
    }
}

PrivateBus::PrivateBus()
{
    // Ends with the test even when the test crashes.
    m_daemon.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_daemon.start(u"dbus-daemon"_s, {u"--config-file="_s + QString::fromUtf8(TINTWELL_PRIVATE_BUS_CONF), u"--nofork"_s,
                                      u"--print-address"_s});
    m_daemon.waitForStarted();
    if (!QTest::qWaitFor([this] { return m_daemon.canReadLine(); }, 10000))
        qFatal("dbus-daemon did not start");
    m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    m_program = QDBusConnection::connectToBus(m_address, u"program"_s);
    m_portal.emplace(QDBusConnection::connectToBus(m_address, u"portal"_s));
}

PrivateBus::~PrivateBus()
{
    m_daemon.kill();
    m_daemon.waitForFinished();
}

QDBusConnection PrivateBus::Connect(const QString& name) const
{
    return QDBusConnection::connectToBus(m_address, name);
}

QStringList PrivateBus::MatchRules() const
{
    const QDBusMessage reply =
        m_program->call(QDBusMessage::createMethodCall(u"org.freedesktop.DBus"_s, u"/org/freedesktop/DBus"_s,
                                                       u"org.freedesktop.DBus.Debug.Stats"_s, u"GetAllMatchRules"_s));
    QMap<QString, QStringList> rules;
    reply.arguments().value(0).value<QDBusArgument>() >> rules;
    return rules.value(m_program->baseService());
}
