#include "platform/portal/portal_global_shortcut.h"

#include "tests/support/fake_portal.h"
#include "tests/support/qt_test.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>

#include <optional>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using tintwell::platform::PortalGlobalShortcut;

namespace {

const auto kSession = u"/org/freedesktop/portal/desktop/session/program/tintwell"_s;
const auto kShortcutId = u"pick-and-copy"_s;

QVariantList Activation(const QVariant& session, const QVariant& id)
{
    return {session, id, QVariant::fromValue(qulonglong{1234}), QVariantMap{}};
}

const QVariantList kOurs = Activation(QVariant::fromValue(QDBusObjectPath(kSession)), kShortcutId);

const FakeShortcuts kOurShortcuts{
    {kShortcutId, {{u"description"_s, u"Pick a colour and copy it"_s}, {u"preferred_trigger"_s, u"CTRL+ALT+p"_s}}}};

} // namespace

class PortalGlobalShortcutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void activatesOnlyForItsOwnBoundShortcut_data();
    void activatesOnlyForItsOwnBoundShortcut();
    void passesTheActivationToken_data();
    void passesTheActivationToken();
    void tellsThePortalItsAppIdFirst_data();
    void tellsThePortalItsAppIdFirst();

private:
    std::optional<PrivateBus> m_bus;
};

void PortalGlobalShortcutTest::initTestCase()
{
    m_bus.emplace();
    QVERIFY(m_bus->Program().isConnected());
}

void PortalGlobalShortcutTest::init()
{
    // Whatever the desktop does wrong, the user is not told.
    QTest::failOnWarning(QRegularExpression(u".*"_s));
}

void PortalGlobalShortcutTest::cleanup()
{
    m_bus->Portal().Reset();
}

void PortalGlobalShortcutTest::activatesOnlyForItsOwnBoundShortcut_data()
{
    QTest::addColumn<FakeMethod>("session");
    QTest::addColumn<FakeMethod>("listing");
    QTest::addColumn<FakeMethod>("binding");
    // Sent before the shortcut's own activation, which counts only if bound.
    QTest::addColumn<QVariantList>("before");
    QTest::addColumn<bool>("bound");

    const FakeMethod opened{Portal::Answers, 0, {{u"session_handle"_s, kSession}}};
    const FakeMethod binds{Portal::Answers, 0, {}};
    const FakeMethod unlisted{Portal::Answers, 0, {{u"shortcuts"_s, QVariant::fromValue(FakeShortcuts{})}}};
    const auto unopened = [&](const char* name, FakeMethod session) {
        QTest::newRow(name) << session << unlisted << binds << QVariantList{} << false;
    };
    const auto activated = [&](const char* name, const QVariantList& before) {
        QTest::newRow(name) << opened << unlisted << binds << before << true;
    };
    const auto listed = [&](const char* name, FakeMethod listing) {
        QTest::newRow(name) << opened << listing << binds << QVariantList{} << true;
    };

    QTest::newRow("bound, then activated") << opened << unlisted << binds << QVariantList{} << true;
    QTest::newRow("session handle as an object path")
        << FakeMethod{Portal::Answers, 0, {{u"session_handle"_s, QVariant::fromValue(QDBusObjectPath(kSession))}}}
        << unlisted << binds << QVariantList{} << true;
    // Bound before, so not bound again: some desktops open a dialog for it.
    listed("listed already", {Portal::Answers, 0, {{u"shortcuts"_s, QVariant::fromValue(kOurShortcuts)}}});
    listed("listed among others",
           {Portal::Answers,
            0,
            {{u"shortcuts"_s, QVariant::fromValue(FakeShortcuts{{u"other"_s, {}}, kOurShortcuts[0]})}}});
    // Whatever else comes back, binding is asked for.
    listed("list of another shape", {Portal::Answers, 0, {{u"shortcuts"_s, QStringList{kShortcutId}}}});
    listed("listing failed", {Portal::Answers, 2, {}});
    listed("listing refused", {Portal::Refuses, 0, {}});

    unopened("session ended some other way", {Portal::Answers, 2, opened.results});
    unopened("session cancelled", {Portal::Answers, 1, opened.results});
    unopened("no session handle", {Portal::Answers, 0, {}});
    unopened("session handle as a number", {Portal::Answers, 0, {{u"session_handle"_s, 7}}});
    unopened("session handle not a path", {Portal::Answers, 0, {{u"session_handle"_s, u"session 1"_s}}});
    unopened("no global shortcuts interface", {Portal::LacksTheInterface, 0, {}});
    unopened("call refused", {Portal::Refuses, 0, {}});
    unopened("session never answered", {Portal::NeverAnswers, 0, {}});
    QTest::newRow("binding failed") << opened << unlisted << FakeMethod{Portal::Answers, 2, {}} << QVariantList{}
                                    << false;
    QTest::newRow("binding refused") << opened << unlisted << FakeMethod{Portal::Refuses, 0, {}} << QVariantList{}
                                     << false;

    activated("activated for another session",
              Activation(QVariant::fromValue(QDBusObjectPath(kSession + u"_other"_s)), kShortcutId));
    activated("activated for an unknown shortcut",
              Activation(QVariant::fromValue(QDBusObjectPath(kSession)), u"pick"_s));
    activated("session handle as text", Activation(kSession, kShortcutId));
    activated("shortcut id as a number", Activation(QVariant::fromValue(QDBusObjectPath(kSession)), 1u));
    // Answered only after this activation has come.
    QTest::newRow("activated before binding")
        << opened << unlisted << FakeMethod{Portal::NeverAnswers, 0, {}} << kOurs << true;
    // Sent by the connection that has yet to become the portal.
    QTest::newRow("portal started later")
        << FakeMethod{Portal::Absent, 0, opened.results} << unlisted << binds << kOurs << true;
}

void PortalGlobalShortcutTest::activatesOnlyForItsOwnBoundShortcut()
{
    QFETCH(FakeMethod, session);
    QFETCH(FakeMethod, listing);
    QFETCH(FakeMethod, binding);
    QFETCH(QVariantList, before);
    QFETCH(bool, bound);
    FakePortal& portal = m_bus->Portal();
    portal.createSession = session;
    portal.listShortcuts = listing;
    portal.bindShortcuts = binding;
    if (session.behaviour != Portal::Absent)
        QVERIFY(portal.Appear());
    const QStringList rulesBefore = m_bus->MatchRules();

    PortalGlobalShortcut shortcut(nullptr, {.bus = m_bus->Program(), .callTimeout = 1s, .answerTimeout = 1s});
    QSignalSpy activated(&shortcut, &PortalGlobalShortcut::Activated);
    shortcut.Register();
    shortcut.Register();
    // It asked to bind, or it waits for no answer.
    QTRY_VERIFY(portal.bindShortcuts.calls == 1 || !m_bus->MatchRules().join(u' ').contains(u"Response"_s));
    QCOMPARE(portal.createSession.calls, session.behaviour == Portal::Absent ? 0 : 1);
    if (!before.isEmpty())
        portal.Activate(before);
    if (binding.behaviour == Portal::NeverAnswers)
        portal.Answer(portal.requestPath, {});
    if (session.behaviour == Portal::Absent) {
        portal.createSession.behaviour = Portal::Answers;
        QVERIFY(portal.Appear());
        QTRY_COMPARE(portal.bindShortcuts.calls, 1);
    }
    // The bus keeps order, so whatever came before has been seen by the
    // time this one has.
    portal.Activate(kOurs);

    if (bound)
        QTRY_COMPARE(activated.count(), 1);
    else
        QTRY_COMPARE(m_bus->MatchRules(), rulesBefore);
    QCOMPARE(activated.count(), bound ? 1 : 0);
    const bool listedAlready = listing.behaviour == Portal::Answers && listing.response == 0 &&
                               !qdbus_cast<FakeShortcuts>(listing.results.value(u"shortcuts"_s)).isEmpty();
    if (bound)
        QCOMPARE(portal.bindShortcuts.calls, listedAlready ? 0 : 1);
    if (portal.bindShortcuts.calls == 1) {
        QCOMPARE(portal.boundSession, kSession);
        QCOMPARE(portal.boundShortcuts, kOurShortcuts);
    }
    if (portal.createSession.calls == 1) {
        // The same session name every run, and the shortcut offered as it opens.
        QCOMPARE(portal.sessionOptions.value(u"session_handle_token"_s), QVariant(u"tintwell"_s));
        QCOMPARE(qdbus_cast<FakeShortcuts>(portal.sessionOptions.value(u"shortcuts"_s)), kOurShortcuts);
    }
}

void PortalGlobalShortcutTest::passesTheActivationToken_data()
{
    QTest::addColumn<QVariantMap>("options");
    QTest::addColumn<QString>("token");
    QTest::newRow("none") << QVariantMap{} << QString();
    QTest::newRow("given") << QVariantMap{{u"activation_token"_s, u"kwin-7"_s}} << u"kwin-7"_s;
    QTest::newRow("not text") << QVariantMap{{u"activation_token"_s, 7}} << QString();
}

void PortalGlobalShortcutTest::passesTheActivationToken()
{
    QFETCH(QVariantMap, options);
    QFETCH(QString, token);
    FakePortal& portal = m_bus->Portal();
    portal.createSession = {Portal::Answers, 0, {{u"session_handle"_s, kSession}}};
    QVERIFY(portal.Appear());
    PortalGlobalShortcut shortcut(nullptr, {.bus = m_bus->Program(), .callTimeout = 1s, .answerTimeout = 1s});
    QSignalSpy activated(&shortcut, &PortalGlobalShortcut::Activated);
    shortcut.Register();
    QTRY_COMPARE(portal.bindShortcuts.calls, 1);
    QTRY_VERIFY(!m_bus->MatchRules().join(u' ').contains(u"Response"_s));
    portal.Activate(
        {QVariant::fromValue(QDBusObjectPath(kSession)), kShortcutId, QVariant::fromValue(qulonglong{1234}), options});
    QTRY_COMPARE(activated.count(), 1);
    QCOMPARE(activated.at(0).at(0).toString(), token);
}

void PortalGlobalShortcutTest::tellsThePortalItsAppIdFirst_data()
{
    QTest::addColumn<Portal>("registry");
    QTest::addColumn<bool>("wantsAppId");
    QTest::addColumn<QString>("registered");
    const auto appId = u"org.tintwell.Tintwell"_s;
    // From 1.21 on, no session without it.
    QTest::newRow("registry") << Portal::Answers << true << appId;
    // Older portals: the session is asked for as before, at once or once
    // the registry is given up on.
    QTest::newRow("no registry") << Portal::LacksTheInterface << false << QString();
    QTest::newRow("registry refuses") << Portal::Refuses << false << QString();
    QTest::newRow("registry never answers") << Portal::NeverReplies << false << QString();
}

void PortalGlobalShortcutTest::tellsThePortalItsAppIdFirst()
{
    QFETCH(Portal, registry);
    QFETCH(bool, wantsAppId);
    QFETCH(QString, registered);
    FakePortal& portal = m_bus->Portal();
    portal.registry.behaviour = registry;
    portal.wantsAppId = wantsAppId;
    portal.createSession = {Portal::Answers, 0, {{u"session_handle"_s, kSession}}};
    QVERIFY(portal.Appear());
    QGuiApplication::setDesktopFileName(u"org.tintwell.Tintwell"_s);
    const auto forget = qScopeGuard([] { QGuiApplication::setDesktopFileName({}); });
    // A connection that has made no portal call yet.
    const QDBusConnection program = m_bus->Connect(QString::fromLatin1(QTest::currentDataTag()));

    PortalGlobalShortcut shortcut(nullptr, {.bus = program, .callTimeout = 1s, .answerTimeout = 1s});
    shortcut.Register();
    QTRY_COMPARE(portal.bindShortcuts.calls, 1);
    QCOMPARE(portal.registry.calls, 1);
    QCOMPARE(portal.appIds.value(program.baseService()), registered);
}

QTEST_GUILESS_MAIN(PortalGlobalShortcutTest)
#include "portal_global_shortcut_test.moc"
