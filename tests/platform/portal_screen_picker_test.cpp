#include "platform/portal_screen_picker.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <csignal>
#include <limits>
#include <optional>
#include <utility>

#include <sys/prctl.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using platform::PortalScreenPicker;
using tintwell::Rgb;

namespace {

const auto kService = u"org.freedesktop.portal.Desktop"_s;
const auto kDesktopPath = u"/org/freedesktop/portal/desktop"_s;

enum class Portal { Answers, AnswersTwice, AnswersElsewhere, MovesTheHandle, NeverAnswers,
                    NeverReplies, Refuses, Absent };
enum class Outcome { Picked, Cancelled, Failed };

template <typename... Values>
QVariantMap ColourAs(Values... values)
{
    QDBusArgument colour;
    colour.beginStructure();
    (colour << ... << values);
    colour.endStructure();
    return {{u"color"_s, QVariant::fromValue(colour)}};
}

} // namespace

// The portal's request object, which the picker closes when it gives up.
class FakeRequest : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Request")

public:
    int closed = 0;

public Q_SLOTS:
    void Close() { ++closed; }
};

// Stands in for xdg-desktop-portal on a connection of its own.
class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")

public:
    explicit FakePortal(QDBusConnection bus) : m_bus(std::move(bus))
    {
        m_bus.registerObject(kDesktopPath, this, QDBusConnection::ExportAllSlots);
    }

    void Answer(const QString& path) const
    {
        m_bus.send(QDBusMessage::createSignal(path, u"org.freedesktop.portal.Request"_s,
                                              u"Response"_s)
                   << response << results);
    }

    Portal behaviour = Portal::Answers;
    uint response = 0;
    QVariantMap results;
    int calls = 0;
    QString requestPath;
    FakeRequest request;

public Q_SLOTS:
    QDBusObjectPath PickColor(const QString&, const QVariantMap& options, const QDBusMessage& call)
    {
        ++calls;
        call.setDelayedReply(true);
        m_bus.unregisterObject(requestPath);
        const QString sender = call.service().mid(1).replace(u'.', u'_');
        requestPath = behaviour == Portal::MovesTheHandle
                          ? kDesktopPath + u"/request/elsewhere/1"_s
                          : u"%1/request/%2/%3"_s.arg(kDesktopPath, sender,
                                                      options[u"handle_token"_s].toString());
        m_bus.registerObject(requestPath, &request, QDBusConnection::ExportAllSlots);

        if (behaviour == Portal::Refuses)
            m_bus.send(call.createErrorReply(u"org.freedesktop.DBus.Error.AccessDenied"_s, {}));
        else if (behaviour != Portal::NeverReplies)
            m_bus.send(call.createReply(QVariant::fromValue(QDBusObjectPath(requestPath))));
        if (behaviour == Portal::Answers || behaviour == Portal::AnswersTwice)
            Answer(requestPath);
        if (behaviour == Portal::AnswersTwice)
            Answer(requestPath);
        if (behaviour == Portal::AnswersElsewhere)
            Answer(kDesktopPath + u"/request/someone_else/token"_s);
        return {};
    }

private:
    QDBusConnection m_bus;
};

class PortalScreenPickerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void endsWithExactlyOneOutcome_data();
    void endsWithExactlyOneOutcome();
    void answerComesOnTheHandleTheReplyNames();
    void abandonedPickClosesItsRequestAndIgnoresItsAnswer_data();
    void abandonedPickClosesItsRequestAndIgnoresItsAnswer();

private:
    QStringList MatchRules() const;

    // A bus of the test's own, where no real portal can be activated in the
    // fake's place.
    QProcess m_daemon;
    std::optional<QDBusConnection> m_pickerBus;
    std::optional<FakePortal> m_portal;
};

void PortalScreenPickerTest::initTestCase()
{
    // Ends with the test even when the test crashes.
    m_daemon.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_daemon.start(u"dbus-daemon"_s,
                   {u"--config-file="_s + QString::fromUtf8(TINTWELL_PRIVATE_BUS_CONF),
                    u"--nofork"_s, u"--print-address"_s});
    QTRY_VERIFY(m_daemon.canReadLine());
    const auto address = QString::fromUtf8(m_daemon.readLine().trimmed());
    m_pickerBus = QDBusConnection::connectToBus(address, u"picker"_s);
    m_portal.emplace(QDBusConnection::connectToBus(address, u"portal"_s));
    QVERIFY(m_pickerBus->isConnected());
}

void PortalScreenPickerTest::cleanupTestCase()
{
    m_daemon.kill();
    m_daemon.waitForFinished();
}

void PortalScreenPickerTest::cleanup()
{
    QDBusConnection(u"portal"_s).unregisterService(kService);
    m_portal->request.closed = 0;
    m_portal->calls = 0;
}

// The signals the bus holds subscriptions to for the picker's connection.
QStringList PortalScreenPickerTest::MatchRules() const
{
    const QDBusMessage reply = m_pickerBus->call(QDBusMessage::createMethodCall(
        u"org.freedesktop.DBus"_s, u"/org/freedesktop/DBus"_s, u"org.freedesktop.DBus.Debug.Stats"_s,
        u"GetAllMatchRules"_s));
    QMap<QString, QStringList> rules;
    reply.arguments().value(0).value<QDBusArgument>() >> rules;
    return rules.value(m_pickerBus->baseService());
}

void PortalScreenPickerTest::endsWithExactlyOneOutcome_data()
{
    QTest::addColumn<Portal>("portal");
    QTest::addColumn<uint>("response");
    QTest::addColumn<QVariantMap>("results");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<Rgb>("colour");
    const auto row = [](const char* name, Portal portal, uint response, const QVariantMap& results,
                        Outcome outcome, Rgb colour = {}) {
        QTest::newRow(name) << portal << response << results << outcome << colour;
    };

    const auto red = ColourAs(1.0, 128 / 255.0, 0.0);
    row("colour", Portal::Answers, 0, red, Outcome::Picked, {255, 128, 0});
    row("rounded", Portal::Answers, 0, ColourAs(0.5, 0.002, 0.998), Outcome::Picked, {128, 1, 254});
    row("second answer ignored", Portal::AnswersTwice, 0, red, Outcome::Picked, {255, 128, 0});
    row("cancelled by the user", Portal::Answers, 1, {}, Outcome::Cancelled);
    row("ended some other way", Portal::Answers, 2, red, Outcome::Failed);
    row("unknown response", Portal::Answers, 7, red, Outcome::Failed);

    constexpr double inf = std::numeric_limits<double>::infinity();
    const std::pair<const char*, QVariantMap> unusable[] = {
        {"no colour", {}},
        {"colour as text", {{u"color"_s, u"#ff8000"_s}}},
        {"colour as a dictionary", {{u"color"_s, QVariantMap{{u"red"_s, 1.0}}}}},
        {"two components", ColourAs(1.0, 0.5)},
        {"whole numbers", ColourAs(255, 128, 0)},
        {"NaN", ColourAs(1.0, std::numeric_limits<double>::quiet_NaN(), 0.0)},
        {"infinity", ColourAs(inf, 0.0, 0.0)},
        {"minus infinity", ColourAs(0.0, 0.0, -inf)},
        {"above one", ColourAs(1.0, 1.001, 0.0)},
        {"below zero", ColourAs(-0.001, 0.0, 0.0)},
    };
    for (const auto& [name, results] : unusable)
        row(name, Portal::Answers, 0, results, Outcome::Failed);

    const std::pair<const char*, Portal> unanswered[] = {
        {"answer on another request's path", Portal::AnswersElsewhere},
        {"no answer in time", Portal::NeverAnswers},
        {"no reply to the call in time", Portal::NeverReplies},
        {"call refused", Portal::Refuses},
        {"no portal on the bus", Portal::Absent},
    };
    for (const auto& [name, portal] : unanswered)
        row(name, portal, 0, red, Outcome::Failed);
}

void PortalScreenPickerTest::endsWithExactlyOneOutcome()
{
    QFETCH(Portal, portal);
    QFETCH(uint, response);
    QFETCH(QVariantMap, results);
    QFETCH(Outcome, outcome);
    QFETCH(Rgb, colour);
    m_portal->behaviour = portal;
    m_portal->response = response;
    m_portal->results = results;
    if (portal != Portal::Absent)
        QVERIFY(QDBusConnection(u"portal"_s).registerService(kService));
    const QStringList rulesBefore = MatchRules();

    PortalScreenPicker picker(nullptr, m_pickerBus, 1s, 1s);
    QSignalSpy picked(&picker, &PortalScreenPicker::Picked);
    QSignalSpy cancelled(&picker, &PortalScreenPicker::Cancelled);
    QSignalSpy failed(&picker, &PortalScreenPicker::Failed);
    picker.Start();
    QVERIFY(picker.IsPicking());
    QTRY_COMPARE(picked.count() + cancelled.count() + failed.count(), 1);
    // The bus keeps order, so any later answer has arrived by the time this holds.
    QTRY_COMPARE(MatchRules(), rulesBefore);

    QVERIFY(!picker.IsPicking());
    QCOMPARE(picked.count(), outcome == Outcome::Picked ? 1 : 0);
    QCOMPARE(cancelled.count(), outcome == Outcome::Cancelled ? 1 : 0);
    QCOMPARE(failed.count(), outcome == Outcome::Failed ? 1 : 0);
    if (outcome == Outcome::Picked)
        QCOMPARE(picked.at(0).at(0).value<Rgb>(), colour);
    if (outcome == Outcome::Failed)
        QVERIFY(failed.at(0).at(0).toString().contains(u"needs xdg-desktop-portal"_s));
}

// As portals older than the path convention do.
void PortalScreenPickerTest::answerComesOnTheHandleTheReplyNames()
{
    QVERIFY(QDBusConnection(u"portal"_s).registerService(kService));
    m_portal->behaviour = Portal::MovesTheHandle;
    m_portal->results = ColourAs(0.0, 0.0, 1.0);
    PortalScreenPicker picker(nullptr, m_pickerBus);
    QSignalSpy picked(&picker, &PortalScreenPicker::Picked);
    picker.Start();
    QTRY_VERIFY(MatchRules().join(u' ').contains(m_portal->requestPath + u'\''));
    m_portal->Answer(m_portal->requestPath);
    QTRY_COMPARE(picked.count(), 1);
    QCOMPARE(picked.at(0).at(0).value<Rgb>(), (Rgb{0, 0, 255}));
}

void PortalScreenPickerTest::abandonedPickClosesItsRequestAndIgnoresItsAnswer_data()
{
    QTest::addColumn<bool>("destroyed");
    QTest::newRow("cancelled") << false;
    QTest::newRow("picker destroyed") << true;
}

void PortalScreenPickerTest::abandonedPickClosesItsRequestAndIgnoresItsAnswer()
{
    QFETCH(bool, destroyed);
    QVERIFY(QDBusConnection(u"portal"_s).registerService(kService));
    m_portal->behaviour = Portal::NeverAnswers;
    m_portal->results = ColourAs(1.0, 0.0, 0.0);
    const QStringList rulesBefore = MatchRules();
    std::optional<PortalScreenPicker> picker(std::in_place, nullptr, m_pickerBus);
    QSignalSpy picked(&*picker, &PortalScreenPicker::Picked);
    QSignalSpy cancelled(&*picker, &PortalScreenPicker::Cancelled);
    picker->Start();
    picker->Start();
    QTRY_COMPARE(m_portal->calls, 1);

    if (destroyed)
        picker.reset();
    else
        picker->Cancel();
    QCOMPARE(cancelled.count(), destroyed ? 0 : 1);
    QTRY_COMPARE(m_portal->request.closed, 1);
    m_portal->Answer(m_portal->requestPath);
    QTRY_COMPARE(MatchRules(), rulesBefore);
    QCOMPARE(picked.count(), 0);
    QCOMPARE(cancelled.count(), destroyed ? 0 : 1);
    QCOMPARE(m_portal->calls, 1);
}

QTEST_GUILESS_MAIN(PortalScreenPickerTest)
#include "portal_screen_picker_test.moc"
