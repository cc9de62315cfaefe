#include "platform/application_service.h"

#include "tests/support/fake_portal.h"
#include "tests/support/qt_test.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QSignalSpy>

#include <optional>

using namespace Qt::StringLiterals;
using tintwell::platform::ApplicationService;

class ApplicationServiceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void takesOnlyATokenADesktopCouldHaveMade_data();
    void takesOnlyATokenADesktopCouldHaveMade();
    void runsEachActionWithItsToken_data();
    void runsEachActionWithItsToken();

private:
    std::optional<PrivateBus> m_bus;
    std::optional<ApplicationService> m_service;
};

void ApplicationServiceTest::initTestCase()
{
    m_bus.emplace();
    m_service.emplace(nullptr, m_bus->Program());
    m_service->Offer(u"org.tintwell.Test"_s);
    // Called from another program, once the name is taken.
    QTRY_VERIFY(m_bus->Connect(u"caller"_s).interface()->isServiceRegistered(u"org.tintwell.Test"_s));
}

void ApplicationServiceTest::takesOnlyATokenADesktopCouldHaveMade_data()
{
    QTest::addColumn<QVariantMap>("platformData");
    QTest::addColumn<bool>("wayland");
    QTest::addColumn<QString>("token");
    const QVariantMap both{{u"activation-token"_s, u"wl-1"_s}, {u"desktop-startup-id"_s, u"x_TIME5"_s}};
    const auto alone = [](const QString& token) { return QVariantMap{{u"activation-token"_s, token}}; };
    QTest::newRow("Wayland takes its activation token") << both << true << u"wl-1"_s;
    QTest::newRow("X takes its startup id") << both << false << u"x_TIME5"_s;
    QTest::newRow("X takes the other when alone") << alone(u"wl-1"_s) << false << u"wl-1"_s;
    QTest::newRow("none") << QVariantMap{} << true << QString();
    QTest::newRow("a number, then the other")
        << QVariantMap{{u"activation-token"_s, 7}, {u"desktop-startup-id"_s, u"x_TIME5"_s}} << true << u"x_TIME5"_s;
    QTest::newRow("longest") << alone(QString(256, u'a')) << true << QString(256, u'a');
    QTest::newRow("too long") << alone(QString(257, u'a')) << true << QString();
    QTest::newRow("space") << alone(u"a b"_s) << true << QString();
    QTest::newRow("quote") << alone(u"a\"b"_s) << true << QString();
    QTest::newRow("backslash") << alone(u"a\\b"_s) << true << QString();
    QTest::newRow("control") << alone(u"a\nb"_s) << true << QString();
    QTest::newRow("not ASCII") << alone(u"tök"_s) << true << QString();
}

void ApplicationServiceTest::takesOnlyATokenADesktopCouldHaveMade()
{
    QFETCH(QVariantMap, platformData);
    QFETCH(bool, wayland);
    QFETCH(QString, token);
    QCOMPARE(ApplicationService::ActivationToken(platformData, wayland), token);
}

void ApplicationServiceTest::runsEachActionWithItsToken_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QVariantList>("arguments");
    QTest::addColumn<int>("action"); // -1 for Activate
    const QVariantMap platformData{{u"desktop-startup-id"_s, u"x_TIME5"_s}};
    QTest::newRow("activate") << u"Activate"_s << QVariantList{platformData} << -1;
    QTest::newRow("open") << u"Open"_s << QVariantList{QStringList{u"file:///tmp"_s}, platformData} << -1;
    QTest::newRow("pick") << u"ActivateAction"_s << QVariantList{u"pick"_s, QVariantList{}, platformData}
                          << static_cast<int>(ApplicationService::Action::Pick);
    QTest::newRow("pick and copy") << u"ActivateAction"_s
                                   << QVariantList{u"pick-and-copy"_s, QVariantList{}, platformData}
                                   << static_cast<int>(ApplicationService::Action::PickAndCopy);
}

void ApplicationServiceTest::runsEachActionWithItsToken()
{
    QFETCH(QString, method);
    QFETCH(QVariantList, arguments);
    QFETCH(int, action);
    QSignalSpy activated(&*m_service, &ApplicationService::Activated);
    QSignalSpy actionActivated(&*m_service, &ApplicationService::ActionActivated);

    QDBusMessage call = QDBusMessage::createMethodCall(u"org.tintwell.Test"_s, u"/org/tintwell/Test"_s,
                                                       u"org.freedesktop.Application"_s, method);
    call.setArguments(arguments);
    QDBusPendingCall reply = m_bus->Connect(u"caller"_s).asyncCall(call);
    QTRY_VERIFY(reply.isFinished());
    QVERIFY2(!reply.isError(), qPrintable(reply.error().message()));
    if (action < 0) {
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.at(0).at(0).toString(), u"x_TIME5"_s);
    } else {
        QCOMPARE(actionActivated.count(), 1);
        QCOMPARE(actionActivated.at(0).at(0).value<ApplicationService::Action>(),
                 static_cast<ApplicationService::Action>(action));
        QCOMPARE(actionActivated.at(0).at(1).toString(), u"x_TIME5"_s);
    }
}

QTEST_GUILESS_MAIN(ApplicationServiceTest)
#include "application_service_test.moc"
