#include "platform/portal/portal_screen_picker.h"

#include "tests/support/fake_portal.h"
#include "tests/support/qt_test.h"

#include <QSignalSpy>

#include <limits>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using tintwell::Rgb;
using tintwell::platform::PickFailure;
using tintwell::platform::PortalOptions;
using tintwell::platform::PortalScreenPicker;

namespace {

enum class Outcome { Picked, Cancelled, Failed };

} // namespace

class PortalScreenPickerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void endsWithExactlyOneOutcome_data();
    void endsWithExactlyOneOutcome();
    void answerComesOnTheHandleTheReplyNames();
    void abandonedPickClosesItsRequestAndIgnoresItsAnswer_data();
    void abandonedPickClosesItsRequestAndIgnoresItsAnswer();

private:
    std::optional<PrivateBus> m_bus;
};

void PortalScreenPickerTest::initTestCase()
{
    m_bus.emplace();
    QVERIFY(m_bus->Program().isConnected());
}

void PortalScreenPickerTest::cleanup()
{
    m_bus->Portal().Reset();
}

void PortalScreenPickerTest::endsWithExactlyOneOutcome_data()
{
    QTest::addColumn<Portal>("portal");
    QTest::addColumn<uint>("response");
    QTest::addColumn<QVariantMap>("results");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<Rgb>("color");
    QTest::addColumn<PickFailure>("why");
    const auto row = [](const char* name, Portal portal, uint response, const QVariantMap& results, Outcome outcome,
                        Rgb color = {}, PickFailure why = {}) {
        QTest::newRow(name) << portal << response << results << outcome << color << why;
    };
    const auto failure = [&row](const char* name, Portal portal, uint response, const QVariantMap& results,
                                PickFailure why) { row(name, portal, response, results, Outcome::Failed, {}, why); };

    const auto red = ColorAs(1.0, 128 / 255.0, 0.0);
    row("colour", Portal::Answers, 0, red, Outcome::Picked, {255, 128, 0});
    row("rounded", Portal::Answers, 0, ColorAs(0.5, 0.002, 0.998), Outcome::Picked, {128, 1, 254});
    row("second answer ignored", Portal::AnswersTwice, 0, red, Outcome::Picked, {255, 128, 0});
    row("cancelled by the user", Portal::AnswersLate, 1, {}, Outcome::Cancelled);
    // No person cancels that fast: the desktop could not show its picker.
    failure("cancelled at once", Portal::Answers, 1, {}, PickFailure::DesktopFailed);
    failure("ended some other way", Portal::Answers, 2, red, PickFailure::DesktopFailed);
    failure("unknown response", Portal::Answers, 7, red, PickFailure::DesktopFailed);

    constexpr double inf = std::numeric_limits<double>::infinity();
    const std::pair<const char*, QVariantMap> unusable[] = {
        {"no colour", {}},
        {"colour as text", {{u"color"_s, u"#ff8000"_s}}},
        {"colour as a dictionary", {{u"color"_s, QVariantMap{{u"red"_s, 1.0}}}}},
        {"two components", ColorAs(1.0, 0.5)},
        {"whole numbers", ColorAs(255, 128, 0)},
        {"NaN", ColorAs(1.0, std::numeric_limits<double>::quiet_NaN(), 0.0)},
        {"infinity", ColorAs(inf, 0.0, 0.0)},
        {"minus infinity", ColorAs(0.0, 0.0, -inf)},
        {"above one", ColorAs(1.0, 1.001, 0.0)},
        {"below zero", ColorAs(-0.001, 0.0, 0.0)},
    };
    for (const auto& [name, results] : unusable)
        failure(name, Portal::Answers, 0, results, PickFailure::BadAnswer);

    const std::tuple<const char*, Portal, PickFailure> unanswered[] = {
        {"answer on another request's path", Portal::AnswersElsewhere, PickFailure::NoAnswer},
        {"no answer in time", Portal::NeverAnswers, PickFailure::NoAnswer},
        {"no reply to the call in time", Portal::NeverReplies, PickFailure::NoAnswer},
        {"call refused", Portal::Refuses, PickFailure::Refused},
        {"no screenshot interface", Portal::LacksTheInterface, PickFailure::NoScreenshot},
        {"no such method", Portal::LacksTheMethod, PickFailure::NoMethod},
        {"no portal on the bus", Portal::Absent, PickFailure::NoPortal},
    };
    for (const auto& [name, portal, why] : unanswered)
        failure(name, portal, 0, red, why);
}

void PortalScreenPickerTest::endsWithExactlyOneOutcome()
{
    QFETCH(Portal, portal);
    QFETCH(uint, response);
    QFETCH(QVariantMap, results);
    QFETCH(Outcome, outcome);
    QFETCH(Rgb, color);
    QFETCH(PickFailure, why);
    m_bus->Portal().pickColor = {portal, response, results};
    if (portal != Portal::Absent)
        QVERIFY(m_bus->Portal().Appear());
    const QStringList rulesBefore = m_bus->MatchRules();

    PortalScreenPicker picker(nullptr, {.bus = m_bus->Program(), .callTimeout = 1s, .answerTimeout = 1s});
    QSignalSpy picked(&picker, &PortalScreenPicker::Picked);
    QSignalSpy cancelled(&picker, &PortalScreenPicker::Cancelled);
    QSignalSpy failed(&picker, &PortalScreenPicker::Failed);
    picker.Start();
    QVERIFY(picker.IsPicking());
    QTRY_COMPARE(picked.count() + cancelled.count() + failed.count(), 1);
    // The bus keeps order, so any later answer has arrived by the time this holds.
    QTRY_COMPARE(m_bus->MatchRules(), rulesBefore);

    QVERIFY(!picker.IsPicking());
    QCOMPARE(picked.count(), outcome == Outcome::Picked ? 1 : 0);
    QCOMPARE(cancelled.count(), outcome == Outcome::Cancelled ? 1 : 0);
    QCOMPARE(failed.count(), outcome == Outcome::Failed ? 1 : 0);
    if (outcome == Outcome::Picked)
        QCOMPARE(picked.at(0).at(0).value<Rgb>(), color);
    if (outcome == Outcome::Failed)
        QCOMPARE(failed.at(0).at(0).value<PickFailure>(), why);
}

// As portals older than the path convention do.
void PortalScreenPickerTest::answerComesOnTheHandleTheReplyNames()
{
    FakePortal& portal = m_bus->Portal();
    QVERIFY(portal.Appear());
    portal.pickColor = {Portal::MovesTheHandle, 0, ColorAs(0.0, 0.0, 1.0)};
    PortalScreenPicker picker(nullptr, {.bus = m_bus->Program()});
    QSignalSpy picked(&picker, &PortalScreenPicker::Picked);
    picker.Start();
    QTRY_VERIFY(m_bus->MatchRules().join(u' ').contains(portal.requestPath + u'\''));
    portal.Answer(portal.requestPath, portal.pickColor);
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
    FakePortal& portal = m_bus->Portal();
    QVERIFY(portal.Appear());
    portal.pickColor = {Portal::NeverAnswers, 0, ColorAs(1.0, 0.0, 0.0)};
    const QStringList rulesBefore = m_bus->MatchRules();
    std::optional<PortalScreenPicker> picker(std::in_place, nullptr, PortalOptions{.bus = m_bus->Program()});
    QSignalSpy picked(&*picker, &PortalScreenPicker::Picked);
    QSignalSpy cancelled(&*picker, &PortalScreenPicker::Cancelled);
    picker->Start();
    picker->Start();
    QTRY_COMPARE(portal.pickColor.calls, 1);

    if (destroyed)
        picker.reset();
    else
        picker->Cancel();
    QCOMPARE(cancelled.count(), destroyed ? 0 : 1);
    QTRY_COMPARE(portal.request.closed, 1);
    portal.Answer(portal.requestPath, portal.pickColor);
    QTRY_COMPARE(m_bus->MatchRules(), rulesBefore);
    QCOMPARE(picked.count(), 0);
    QCOMPARE(cancelled.count(), destroyed ? 0 : 1);
    QCOMPARE(portal.pickColor.calls, 1);
}

QTEST_GUILESS_MAIN(PortalScreenPickerTest)
#include "portal_screen_picker_test.moc"
