#include "platform/window/settings_store.h"
#include "platform/window/window_placement.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QWidget>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace tintwell::platform;

class SettingsStoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void missingEntryGivesTheDefault();
    void savedEntryIsAnIniLineInTheUsersConfigFolder();
    void entryThatIsNoSingleStringGivesTheDefault();
    void unwritableStoreSaysSoWithoutCrashing();
    void placementWritesWholeTwipsWithoutASeparator();
    void placementKeepsAFractionInTheLocalesForm();

private:
    void WriteFile(const QByteArray& contents) const;
    QString ReadFile() const;

    // The test's own settings folder ($XDG_CONFIG_HOME, set by the test run).
    QDir m_home{QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)};
};

void SettingsStoreTest::init()
{
    QFile::remove(m_home.filePath(u"Tintwell/Tintwell.conf"_s));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void SettingsStoreTest::WriteFile(const QByteArray& contents) const
{
    m_home.mkpath(u"Tintwell"_s);
    QFile file(m_home.filePath(u"Tintwell/Tintwell.conf"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QString SettingsStoreTest::ReadFile() const
{
    QFile file(m_home.filePath(u"Tintwell/Tintwell.conf"_s));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void SettingsStoreTest::missingEntryGivesTheDefault()
{
    QCOMPARE(GetSetting(settings::kApplication, settings::kMainWindow, settings::kLeft, u"1000"_s), u"1000"_s);
}

void SettingsStoreTest::savedEntryIsAnIniLineInTheUsersConfigFolder()
{
    QVERIFY(SaveSetting(settings::kApplication, settings::kMainWindow, settings::kLeft, u"1500"_s));
    QCOMPARE(SettingsFile(settings::kApplication), m_home.filePath(u"Tintwell/Tintwell.conf"_s));
    QCOMPARE(ReadFile(), u"[frmMain]\nLeft=1500\n"_s);
    QCOMPARE(GetSetting(settings::kApplication, settings::kMainWindow, settings::kLeft, u"1000"_s), u"1500"_s);
}

void SettingsStoreTest::entryThatIsNoSingleStringGivesTheDefault()
{
    WriteFile("[frmMain]\nLeft=1,5\nTop=\n");
    QCOMPARE(GetSetting(settings::kApplication, settings::kMainWindow, settings::kLeft, u"1000"_s), u"1000"_s);
    QCOMPARE(GetSetting(settings::kApplication, settings::kMainWindow, settings::kTop, u"1000"_s), QString());
}

void SettingsStoreTest::unwritableStoreSaysSoWithoutCrashing()
{
    // A file where the application's folder should be: even root cannot
    // write there.
    QFile blocker(m_home.filePath(u"Blocked"_s));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    QVERIFY(!SaveSetting(u"Blocked"_s, settings::kMainWindow, settings::kLeft, u"1500"_s));
}

void SettingsStoreTest::placementWritesWholeTwipsWithoutASeparator()
{
    QWidget window;
    window.resize(203, 624);
    WindowPlacement placement;
    placement.Restore(window);
    QCOMPARE(window.pos(), QPoint(67, 67));
    window.move(100, 200);
    placement.Save(window);
    QCOMPARE(ReadFile(), u"[frmMain]\nLeft=1500\nTop=3000\n"_s);
}

void SettingsStoreTest::placementKeepsAFractionInTheLocalesForm()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    WriteFile("[frmMain]\nLeft=\"1500,5\"\nTop=1500.5\n");
    QWidget window;
    window.resize(203, 624);
    WindowPlacement placement;
    placement.Restore(window);
    QCOMPARE(window.pos(), QPoint(100, 67)); // "1500.5" is no number in German
    placement.Save(window);
    QCOMPARE(GetSetting(settings::kApplication, settings::kMainWindow, settings::kLeft, {}), u"1500,5"_s);
    QCOMPARE(GetSetting(settings::kApplication, settings::kMainWindow, settings::kTop, {}), u"1000"_s);
}

QTEST_MAIN(SettingsStoreTest)
#include "settings_store_test.moc"
