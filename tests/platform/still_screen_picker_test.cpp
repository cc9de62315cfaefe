#include "platform/still/still_screen_picker.h"

#include "tests/support/fake_portal.h"
#include "tests/support/png_bytes.h"
#include "tests/support/qt_test.h"

#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using tintwell::Rgb;
using tintwell::platform::PickFailure;
using tintwell::platform::StillScreenPicker;

namespace {

// Every pixel says where it is: red x, green y, blue a constant.
QImage Chart(QSize size)
{
    QImage chart(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            chart.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, 77));
    return chart;
}

QSize ScreenSize()
{
    return QGuiApplication::primaryScreen()->geometry().size();
}

void PutBigEndian(QByteArray& bytes, int at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

quint32 Crc32(QByteArrayView bytes)
{
    quint32 crc = 0xFFFFFFFFU;
    for (const char byte : bytes) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
    }
    return ~crc;
}

// A valid PNG whose header claims a size its data does not have.
QByteArray PngClaiming(quint32 width, quint32 height)
{
    QByteArray png = Png(Chart({8, 8}));
    // The header chunk: type at 12, width and height from 16, its CRC at 29.
    PutBigEndian(png, 16, width);
    PutBigEndian(png, 20, height);
    PutBigEndian(png, 29, Crc32(QByteArrayView(png).sliced(12, 17)));
    return png;
}

enum class File { Written, WrittenLongAgo, None };
enum class Outcome { Shown, Cancelled, Failed };

} // namespace

class StillScreenPickerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void answerIsCheckedBeforeItIsShown_data();
    void answerIsCheckedBeforeItIsShown();
    void takesTheStillPixelAtThePointerAndStepsByKeys();
    void meanLeavesOutWhatLiesBeyondTheScreen();
    void clickTakesThePixelUnderItInTheViewAsShown_data();
    void clickTakesThePixelUnderItInTheViewAsShown();
    void escapeAndClosingBothEndTheStill_data();
    void escapeAndClosingBothEndTheStill();

private:
    // Starts a pick answered with a still of the screen's own size.
    void ShowStill(StillScreenPicker& picker);

    std::optional<PrivateBus> m_bus;
    QTemporaryDir m_folder;
    QWidget m_window;
};

void StillScreenPickerTest::initTestCase()
{
    m_bus.emplace();
    QVERIFY(m_bus->Program().isConnected());
    QVERIFY(m_folder.isValid());
}

void StillScreenPickerTest::cleanup()
{
    m_bus->Portal().Reset();
}

void StillScreenPickerTest::answerIsCheckedBeforeItIsShown_data()
{
    QTest::addColumn<Portal>("answers");
    QTest::addColumn<uint>("response");
    QTest::addColumn<QVariant>("uri");
    QTest::addColumn<File>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<PickFailure>("why");
    // The file the answer names, unless the answer names another.
    const QString path = m_folder.filePath(u"still.png"_s);
    const QVariant local = QUrl::fromLocalFile(path).toString();
    const QByteArray still = Png(Chart(ScreenSize()));

    QTest::newRow("still of the screen") << Portal::Answers << 0U << local << File::Written << still << Outcome::Shown
                                         << PickFailure{};
    // Nobody can cancel a still that is not interactive, however long it
    // takes: the desktop could not take it.
    QTest::newRow("cancelled") << Portal::AnswersLate << 1U << local << File::None << QByteArray() << Outcome::Failed
                               << PickFailure::DesktopFailed;
    QTest::newRow("refused") << Portal::Answers << 2U << local << File::None << QByteArray() << Outcome::Failed
                             << PickFailure::StillRefused;
    QTest::newRow("no uri") << Portal::Answers << 0U << QVariant() << File::None << QByteArray() << Outcome::Failed
                            << PickFailure::BadAnswer;
    QTest::newRow("uri as a number") << Portal::Answers << 0U << QVariant(7) << File::None << QByteArray()
                                     << Outcome::Failed << PickFailure::BadAnswer;

    const auto bad = [&](const char* name, const QVariant& uri, File file, const QByteArray& content) {
        QTest::newRow(name) << Portal::Answers << 0U << uri << file << content << Outcome::Failed
                            << PickFailure::BadStill;
    };
    bad("not a local file", u"https://example.org/still.png"_s, File::None, {});
    bad("on another host", u"file://elsewhere%1"_s.arg(path), File::None, {});
    bad("not a uri", u"::: no"_s, File::None, {});
    bad("missing file", local, File::None, {});
    bad("a folder", QUrl::fromLocalFile(m_folder.path()).toString(), File::None, {});
    bad("not an image", local, File::Written, "not a picture at all");
    bad("truncated", local, File::Written, still.left(still.size() / 2));
    bad("header claims 100000 x 100000", local, File::Written, PngClaiming(100000, 100000));
    bad("fits no screen layout", local, File::Written, Png(Chart({ScreenSize().width(), ScreenSize().height() / 2})));
    // A file of the user's that a wrong answer names is read, never removed.
    bad("old file of the user's", local, File::WrittenLongAgo, "notes");
}

void StillScreenPickerTest::answerIsCheckedBeforeItIsShown()
{
    QFETCH(Portal, answers);
    QFETCH(uint, response);
    QFETCH(QVariant, uri);
    QFETCH(File, file);
    QFETCH(QByteArray, content);
    QFETCH(Outcome, outcome);
    QFETCH(PickFailure, why);
    const QString path = m_folder.filePath(u"still.png"_s);
    QFile::remove(path);
    if (file != File::None) {
        QFile written(path);
        QVERIFY(written.open(QIODevice::WriteOnly));
        written.write(content);
        written.flush();
        if (file == File::WrittenLongAgo)
            written.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime);
    }
    FakePortal& portal = m_bus->Portal();
    portal.screenshot = {answers, response, uri.isValid() ? QVariantMap{{u"uri"_s, uri}} : QVariantMap{}};
    QVERIFY(portal.Appear());

    StillScreenPicker picker(nullptr, m_window, {.bus = m_bus->Program(), .callTimeout = 2s, .answerTimeout = 2s});
    QSignalSpy hovered(&picker, &StillScreenPicker::Hovered);
    QSignalSpy cancelled(&picker, &StillScreenPicker::Cancelled);
    QSignalSpy failed(&picker, &StillScreenPicker::Failed);
    picker.Start();
    QTRY_COMPARE(portal.screenshot.calls, 1);
    QCOMPARE(portal.screenshot.calls, 1);
    QTRY_VERIFY(hovered.count() + cancelled.count() + failed.count() > 0);

    QCOMPARE(picker.IsPicking(), outcome == Outcome::Shown);
    QCOMPARE(hovered.count() > 0, outcome == Outcome::Shown);
    QCOMPARE(cancelled.count(), outcome == Outcome::Cancelled ? 1 : 0);
    QCOMPARE(failed.count(), outcome == Outcome::Failed ? 1 : 0);
    if (outcome == Outcome::Failed)
        QCOMPARE(failed.at(0).at(0).value<PickFailure>(), why);
    // Read once and gone, unless it was not written for this pick.
    QCOMPARE(QFile::exists(path), file == File::WrittenLongAgo);
    picker.Cancel();
    QVERIFY(!picker.IsPicking());
}

void StillScreenPickerTest::ShowStill(StillScreenPicker& picker)
{
    QVERIFY(picker.Show(Chart(ScreenSize())));
    QVERIFY(picker.IsPicking());
}

void StillScreenPickerTest::takesTheStillPixelAtThePointerAndStepsByKeys()
{
    QCursor::setPos(100, 50);
    StillScreenPicker picker(nullptr, m_window, {.bus = m_bus->Program()});
    QSignalSpy hovered(&picker, &StillScreenPicker::Hovered);
    QSignalSpy picked(&picker, &StillScreenPicker::Picked);
    ShowStill(picker);
    QCOMPARE(hovered.last().at(0).value<Rgb>(), (Rgb{100, 50, 77}));

    QWidget* view = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->parentWidget() == &m_window)
            view = window;
    QVERIFY(view != nullptr);
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(hovered.last().at(0).value<Rgb>(), (Rgb{102, 60, 77}));
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(picked.count(), 1);
    QCOMPARE(picked.at(0).at(0).value<Rgb>(), (Rgb{102, 60, 77}));
    QVERIFY(!picker.IsPicking());
}

void StillScreenPickerTest::clickTakesThePixelUnderItInTheViewAsShown_data()
{
    // The size the desktop gives the view, as a share of the screen's as Qt
    // reports it: mutter's physical layout at scale 2 gives half.
    QTest::addColumn<int>("share");
    QTest::newRow("the screen's size") << 1;
    QTest::newRow("half of it") << 2;
}

void StillScreenPickerTest::clickTakesThePixelUnderItInTheViewAsShown()
{
    QFETCH(int, share);
    StillScreenPicker picker(nullptr, m_window, {.bus = m_bus->Program()});
    QSignalSpy picked(&picker, &StillScreenPicker::Picked);
    const QPoint at(110, 90);
    // The second pick moves off and back to where the first was taken: Qt
    // delivers no move back to a place it saw last, and the click must
    // still take its own pixel.
    for (const QPoint& detour : {QPoint(), QPoint(3, 2)}) {
        ShowStill(picker);
        QWidget* view = QApplication::topLevelAt(0, 0);
        QVERIFY(view != nullptr && view->parentWidget() == &m_window);
        view->showNormal();
        view->resize(ScreenSize() / share);
        QWindow* window = view->windowHandle();
        if (!detour.isNull())
            QTest::mouseMove(window, at + detour);
        QTest::mouseMove(window, at);
        QTest::mouseClick(window, Qt::LeftButton, {}, at);
        QTRY_VERIFY(!picker.IsPicking());
        QCOMPARE(picked.last().at(0).value<Rgb>(), (Rgb{at.x() * share, at.y() * share, 77}));
    }
}

void StillScreenPickerTest::meanLeavesOutWhatLiesBeyondTheScreen()
{
    QCursor::setPos(0, 0);
    StillScreenPicker picker(nullptr, m_window, {.bus = m_bus->Program()});
    QSignalSpy picked(&picker, &StillScreenPicker::Picked);
    ShowStill(picker);
    // Of the 3 × 3 only the corner's four pixels are on the screen: red
    // and green 0, 1, 0, 1, whose mean 0.5 rounds up.
    QTest::keyClick(QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &m_window,
                    Qt::Key_BracketRight);
    QTest::keyClick(QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &m_window, Qt::Key_Return);
    QCOMPARE(picked.count(), 1);
    QCOMPARE(picked.at(0).at(0).value<Rgb>(), (Rgb{1, 1, 77}));
}

void StillScreenPickerTest::escapeAndClosingBothEndTheStill_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("escape") << true;
    QTest::newRow("cancelled from outside") << false;
}

void StillScreenPickerTest::escapeAndClosingBothEndTheStill()
{
    QFETCH(bool, byEscape);
    StillScreenPicker picker(nullptr, m_window, {.bus = m_bus->Program()});
    QSignalSpy cancelled(&picker, &StillScreenPicker::Cancelled);
    ShowStill(picker);
    if (byEscape)
        QTest::keyClick(QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &m_window,
                        Qt::Key_Escape);
    else
        picker.Cancel();
    QCOMPARE(cancelled.count(), 1);
    QVERIFY(!picker.IsPicking());
    // The views go once the event that ended the pick is done with.
    const auto viewsLeft = [this] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::count_if(windows.begin(), windows.end(),
                             [this](const QWidget* window) { return window->parentWidget() == &m_window; });
    };
    QTRY_COMPARE(viewsLeft(), 0);
}

QTEST_MAIN(StillScreenPickerTest)
#include "still_screen_picker_test.moc"
