#include "tests/support/fake_portal.h"

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

FakePortal::FakePortal(QDBusConnection bus) : m_bus(std::move(bus))
{
    m_bus.registerObject(kDesktopPath, this, QDBusConnection::ExportAllSlots);
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
    request.closed = 0;
}

void FakePortal::Answer(const QString& path, const FakeMethod& method) const
{
    m_bus.send(QDBusMessage::createSignal(path, u"org.freedesktop.portal.Request"_s, u"Response"_s)
               << method.response << method.results);
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
        // What the front end says when no back end serves screenshots.
        m_bus.send(call.createErrorReply(u"org.freedesktop.DBus.Error.UnknownMethod"_s,
                                         u"No such interface “org.freedesktop.portal.Screenshot”"_s));
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
    m_daemon.start(u"dbus-daemon"_s, {u"--config-file="_s + QString::fromUtf8(TINTWELL_PRIVATE_BUS_CONF),
                                      u"--nofork"_s, u"--print-address"_s});
    m_daemon.waitForStarted();
    if (!QTest::qWaitFor([this] { return m_daemon.canReadLine(); }, 10000))
        qFatal("dbus-daemon did not start");
    const auto address = QString::fromUtf8(m_daemon.readLine().trimmed());
    m_program = QDBusConnection::connectToBus(address, u"program"_s);
    m_portal.emplace(QDBusConnection::connectToBus(address, u"portal"_s));
}

PrivateBus::~PrivateBus()
{
    m_daemon.kill();
    m_daemon.waitForFinished();
}

QStringList PrivateBus::MatchRules() const
{
    const QDBusMessage reply = m_program->call(
        QDBusMessage::createMethodCall(u"org.freedesktop.DBus"_s, u"/org/freedesktop/DBus"_s,
                                       u"org.freedesktop.DBus.Debug.Stats"_s, u"GetAllMatchRules"_s));
    QMap<QString, QStringList> rules;
    reply.arguments().value(0).value<QDBusArgument>() >> rules;
    return rules.value(m_program->baseService());
}
