#include "platform/picking/screen_picker_chain.h"

#include "platform/portal/portal_screen_picker.h"
#include "platform/still/still_screen_picker.h"
#include "tests/support/fake_portal.h"
#include "tests/support/qt_test.h"

#include <QSignalSpy>
#include <QWidget>

#include <optional>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using tintwell::platform::PickFailure;
using tintwell::platform::PortalOptions;
using tintwell::platform::PortalScreenPicker;
using tintwell::platform::ScreenPickerChain;
using tintwell::platform::StillScreenPicker;

namespace {

enum class Outcome { Picked, Cancelled, Failed };

FakeMethod Way(Portal behaviour, uint response = 0, const QVariantMap& results = {})
{
    return {behaviour, response, results, 0};
}

} // namespace

class ScreenPickerChainTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void stillIsTriedWhenTheDesktopPickerCannotRun_data();
    void stillIsTriedWhenTheDesktopPickerCannotRun();
    void cancelFromTheWindowMeansTheDesktopPickerNeverShowed();
    void refusedStillSendsTheNextPickBackToTheDesktopPicker();

private:
    std::optional<PrivateBus> m_bus;
    QWidget m_window;
};

void ScreenPickerChainTest::initTestCase()
{
    m_bus.emplace();
    QVERIFY(m_bus->Program().isConnected());
}

void ScreenPickerChainTest::cleanup()
{
    m_bus->Portal().Reset();
}

void ScreenPickerChainTest::stillIsTriedWhenTheDesktopPickerCannotRun_data()
{
    QTest::addColumn<FakeMethod>("pickColor");
    QTest::addColumn<FakeMethod>("screenshot");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<PickFailure>("why");
    // Whether the still was asked for, and whether the next pick goes
    // straight to it.
    QTest::addColumn<bool>("stillAsked");
    QTest::addColumn<bool>("nextFromStill");
    const auto red = ColorAs(1.0, 0.0, 0.0);
    const FakeMethod fails = Way(Portal::Answers, 2);
    const FakeMethod noMethod = Way(Portal::LacksTheMethod);
    const FakeMethod noInterface = Way(Portal::LacksTheInterface);
    const auto row = [](const char* name, const FakeMethod& pickColor, const FakeMethod& screenshot, Outcome outcome,
                        PickFailure why, bool stillAsked, bool nextFromStill) {
        QTest::newRow(name) << pickColor << screenshot << outcome << why << stillAsked << nextFromStill;
    };

    row("colour", Way(Portal::Answers, 0, red), fails, Outcome::Picked, {}, false, false);
    // No person cancels that fast: the desktop could not show its picker.
    // Nor can anyone cancel a still that is not interactive.
    row("cancelled at once, still too", Way(Portal::Answers, 1), Way(Portal::AnswersLate, 1), Outcome::Failed,
        PickFailure::CannotPickOrCapture, true, false);
    // A refused still sends the next pick back to the desktop's picker.
    row("back end fails at once", fails, fails, Outcome::Failed, PickFailure::StillRefused, true, false);
    row("bad answer at once", Way(Portal::Answers, 0, ColorAs(1.0)), Way(Portal::Answers, 1), Outcome::Failed,
        PickFailure::CannotPickOrCapture, true, false);
    row("no such method", noMethod, noMethod, Outcome::Failed, PickFailure::CannotPickOrCapture, true, false);
    row("call refused", Way(Portal::Refuses), fails, Outcome::Failed, PickFailure::StillRefused, true, false);
    row("no screenshot interface", noInterface, noInterface, Outcome::Failed, PickFailure::NoScreenshot, true, false);
    row("no portal", Way(Portal::Absent), Way(Portal::Absent), Outcome::Failed, PickFailure::NoPortal, true, false);
    row("still unreadable", fails, Way(Portal::Answers, 0, {{u"uri"_s, u"file:///nowhere.png"_s}}), Outcome::Failed,
        PickFailure::BadStill, true, false);
    row("back end fails after a while", Way(Portal::AnswersLate, 2), fails, Outcome::Failed,
        PickFailure::DesktopPickerGaveNothing, false, true);
    row("bad answer after a while", Way(Portal::AnswersLate, 0, ColorAs(2.0, 0.0, 0.0)), fails, Outcome::Failed,
        PickFailure::DesktopPickerGaveNothing, false, true);
    row("cancel after a while", Way(Portal::AnswersLate, 1), fails, Outcome::Cancelled, {}, false, false);
    row("no answer in time", Way(Portal::NeverAnswers), fails, Outcome::Failed, PickFailure::DesktopPickerGaveNothing,
        false, true);
}

void ScreenPickerChainTest::stillIsTriedWhenTheDesktopPickerCannotRun()
{
    QFETCH(FakeMethod, pickColor);
    QFETCH(FakeMethod, screenshot);
    QFETCH(Outcome, outcome);
    QFETCH(PickFailure, why);
    QFETCH(bool, stillAsked);
    QFETCH(bool, nextFromStill);
    FakePortal& portal = m_bus->Portal();
    portal.pickColor = pickColor;
    portal.screenshot = screenshot;
    if (pickColor.behaviour != Portal::Absent)
        QVERIFY(portal.Appear());

    const PortalOptions options{.bus = m_bus->Program(), .callTimeout = 1s, .answerTimeout = 1s};
    ScreenPickerChain chain(
        nullptr, [&options](QObject* owner) { return new PortalScreenPicker(owner, options); },
        [&options, this](QObject* owner) { return new StillScreenPicker(owner, m_window, options); });
    QSignalSpy picked(&chain, &ScreenPickerChain::Picked);
    QSignalSpy cancelled(&chain, &ScreenPickerChain::Cancelled);
    QSignalSpy failed(&chain, &ScreenPickerChain::Failed);
    chain.Start();
    QTRY_COMPARE_WITH_TIMEOUT(picked.count() + cancelled.count() + failed.count(), 1, 3000);
    QVERIFY(!chain.IsPicking());
    QCOMPARE(picked.count(), outcome == Outcome::Picked ? 1 : 0);
    QCOMPARE(cancelled.count(), outcome == Outcome::Cancelled ? 1 : 0);
    QCOMPARE(failed.count(), outcome == Outcome::Failed ? 1 : 0);
    if (outcome == Outcome::Failed)
        QCOMPARE(failed.at(0).at(0).value<PickFailure>(), why);
    QCOMPARE(portal.pickColor.calls, pickColor.behaviour == Portal::Absent ? 0 : 1);
    QCOMPARE(portal.screenshot.calls, stillAsked && pickColor.behaviour != Portal::Absent ? 1 : 0);

    const int stillCalls = portal.screenshot.calls;
    chain.Start();
    QTRY_COMPARE_WITH_TIMEOUT(picked.count() + cancelled.count() + failed.count(), 2, 3000);
    if (pickColor.behaviour != Portal::Absent) {
        QCOMPARE(portal.pickColor.calls, nextFromStill ? 1 : 2);
        QVERIFY(portal.screenshot.calls > stillCalls || !(nextFromStill || stillAsked));
    }
}

// Esc in our window while a portal that advertises a picker hangs.
void ScreenPickerChainTest::cancelFromTheWindowMeansTheDesktopPickerNeverShowed()
{
    FakePortal& portal = m_bus->Portal();
    portal.pickColor = Way(Portal::NeverAnswers);
    portal.screenshot = Way(Portal::NeverAnswers);
    QVERIFY(portal.Appear());
    const PortalOptions options{.bus = m_bus->Program()};
    ScreenPickerChain chain(
        nullptr, [&options](QObject* owner) { return new PortalScreenPicker(owner, options); },
        [&options, this](QObject* owner) { return new StillScreenPicker(owner, m_window, options); });
    QSignalSpy cancelled(&chain, &ScreenPickerChain::Cancelled);
    QSignalSpy failed(&chain, &ScreenPickerChain::Failed);
    chain.Start();
    QTRY_COMPARE(portal.pickColor.calls, 1);
    chain.Cancel();
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.at(0).at(0).value<PickFailure>(), PickFailure::DesktopPickerGaveNothing);
    QTRY_COMPARE(portal.request.closed, 1);

    chain.Start();
    QTRY_COMPARE(portal.screenshot.calls, 1);
    chain.Cancel();
    QCOMPARE(cancelled.count(), 1);
    QCOMPARE(portal.pickColor.calls, 1);
}

// As GNOME after "Deny": every later still is refused at once.
void ScreenPickerChainTest::refusedStillSendsTheNextPickBackToTheDesktopPicker()
{
    FakePortal& portal = m_bus->Portal();
    portal.pickColor = Way(Portal::AnswersLate, 2);
    portal.screenshot = Way(Portal::Answers, 2);
    QVERIFY(portal.Appear());
    const PortalOptions options{.bus = m_bus->Program()};
    ScreenPickerChain chain(
        nullptr, [&options](QObject* owner) { return new PortalScreenPicker(owner, options); },
        [&options, this](QObject* owner) { return new StillScreenPicker(owner, m_window, options); });
    QSignalSpy failed(&chain, &ScreenPickerChain::Failed);
    // Each pick's note, and the calls to each service so far.
    for (const auto& [why, pickColorCalls, screenshotCalls] :
         {std::tuple{PickFailure::DesktopPickerGaveNothing, 1, 0}, std::tuple{PickFailure::StillRefused, 1, 1},
          std::tuple{PickFailure::DesktopPickerGaveNothing, 2, 1}}) {
        const qsizetype before = failed.count();
        chain.Start();
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), before + 1, 3000);
        QCOMPARE(failed.last().at(0).value<PickFailure>(), why);
        QCOMPARE(portal.pickColor.calls, pickColorCalls);
        QCOMPARE(portal.screenshot.calls, screenshotCalls);
    }
}

QTEST_MAIN(ScreenPickerChainTest)
#include "screen_picker_chain_test.moc"
