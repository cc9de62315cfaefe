// Picking from a still of the screen, on the real window on a real X server,
// with a stand-in portal on the session bus that answers at once: the time
// from asking for a pick to the still painted on the screen (the portal's
// own work left out, the file it wrote read and decoded included), and one
// step of the live preview on the still. The program is told it runs in a
// Wayland session, so it goes the way it would there: the desktop's picker
// first, missing here, then the still.
#include "platform/still/still_view.h"
#include "tests/support/png_bytes.h"
#include "ui/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRuns = 11;
constexpr int kSteps = 400;

// Answers as a portal would whose desktop has no picker but takes stills.
class StandIn : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")

public:
    StandIn(QDBusConnection bus, QString still) : m_bus(std::move(bus)), m_still(std::move(still))
    {
        m_bus.registerObject(u"/org/freedesktop/portal/desktop"_s, this, QDBusConnection::ExportAllSlots);
        m_bus.registerService(u"org.freedesktop.portal.Desktop"_s);
    }

public Q_SLOTS:
    QDBusObjectPath PickColor(const QString&, const QVariantMap&, const QDBusMessage& call)
    {
        call.setDelayedReply(true);
        m_bus.send(call.createErrorReply(u"org.freedesktop.DBus.Error.UnknownMethod"_s, u"No such method"_s));
        return {};
    }

    QDBusObjectPath Screenshot(const QString&, const QVariantMap& options, const QDBusMessage& call)
    {
        const QString path = u"/org/freedesktop/portal/desktop/request/%1/%2"_s.arg(
            call.service().mid(1).replace(u'.', u'_'), options[u"handle_token"_s].toString());
        call.setDelayedReply(true);
        m_bus.send(call.createReply(QVariant::fromValue(QDBusObjectPath(path))));
        m_bus.send(QDBusMessage::createSignal(path, u"org.freedesktop.portal.Request"_s, u"Response"_s)
                   << 0U << QVariantMap{{u"uri"_s, QUrl::fromLocalFile(m_still).toString()}});
        return {};
    }

private:
    QDBusConnection m_bus;
    QString m_still;
};

// A still as a desktop might look: flat areas and edges; `noisy` adds noise
// to one channel, as a photograph on the screen would, which makes the file
// several hundred times larger and slower to decode.
QImage Desktop(QSize size, bool noisy)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            quint32 noise = static_cast<quint32>(x) * 73856093U ^ static_cast<quint32>(y) * 19349663U;
            noise = (noise ^ (noise >> 13)) * 0x5BD1E995U;
            line[x] = qRgb((x / 40) * 37 & 0xFF, (y / 30) * 53 & 0xFF,
                           noisy ? static_cast<int>(noise >> 24) : (x ^ y) & 0xFF);
        }
    }
    return image;
}

std::vector<tintwell::platform::StillView*> Views(const QWidget& window)
{
    const QList<tintwell::platform::StillView*> views = window.findChildren<tintwell::platform::StillView*>();
    std::vector<tintwell::platform::StillView*> shown;
    std::copy_if(views.begin(), views.end(), std::back_inserter(shown),
                 [](const tintwell::platform::StillView* view) { return view->isVisible(); });
    return shown;
}

// Paint events seen by the still's views since the last look.
class PaintCounter : public QObject {
public:
    int painted = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<tintwell::platform::StillView*>(watched) != nullptr)
            ++painted;
        return false;
    }
};

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

} // namespace

int main(int argc, char* argv[])
{
    const QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit()); // the window saves its position on close
    qputenv("XDG_SESSION_TYPE", "wayland");
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    const QString stillPath = folder.filePath(u"still.png"_s);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    StandIn standIn(QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"stand-in"_s), stillPath);

    tintwell::ui::frmMain window;
    window.show();
    PaintCounter paints;
    app.installEventFilter(&paints);
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    const QList<QAction*> actions = window.actions();
    QAction* pick = *std::find_if(actions.begin(), actions.end(),
                                  [](const QAction* a) { return a->text() == u"Pick from Screen"_s; });

    for (const bool noisy : {false, true}) {
        const QByteArray png = Png(Desktop(screen, noisy));
        std::vector<double> shows;
        for (int run = 0; run < kRuns; ++run) {
            QFile file(stillPath); // the picker removes it once read, as it should
            file.open(QIODevice::WriteOnly);
            file.write(png);
            file.close();
            paints.painted = 0;
            QElapsedTimer timer;
            timer.start();
            pick->trigger();
            while (paints.painted == 0 && timer.elapsed() < 10000)
                QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            QApplication::processEvents(); // sends the painted still to the server
            shows.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            if (noisy || run + 1 < kRuns) {
                QTest::keyClick(Views(window).front(), Qt::Key_Escape);
                QApplication::processEvents();
            }
        }
        std::printf("%-44s %8.1f ms   (%dx%d, %s, %lld kB of PNG)\n", "request to the still on screen, median",
                    Percentile(shows, 0.5), screen.width(), screen.height(), noisy ? "noisy" : "flat",
                    static_cast<long long>(png.size() / 1024));
        std::printf("%-44s %8.1f to %.1f ms\n", "the same, 10th to 90th percentile", Percentile(shows, 0.1),
                    Percentile(shows, 0.9));
        if (noisy)
            break;

        // The pointer crosses between two areas of the still, so every view
        // of the colour changes on each step.
        const std::vector<tintwell::platform::StillView*> views = Views(window);
        if (views.empty()) {
            std::fprintf(stderr, "still_bench: the still was never shown\n");
            return 1;
        }
        QWindow* shown = views.front()->windowHandle();
        const auto* hex = window.findChild<QLineEdit*>(u"txtHex"_s);
        std::vector<double> steps;
        int changed = 0;
        for (int i = 0; i < kSteps; ++i) {
            const QString before = hex->text();
            const QPointF at(i % 2 == 0 ? 300.0 : 345.0, 200.0);
            QMouseEvent move(QEvent::MouseMove, at, shown->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QElapsedTimer timer;
            timer.start();
            QApplication::sendEvent(shown, &move);
            QApplication::processEvents(); // the repaint of the window and the magnifier
            steps.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e3);
            changed += hex->text() != before ? 1 : 0;
        }
        QTest::keyClick(views.front(), Qt::Key_Escape);
        QApplication::processEvents();
        std::printf("%-44s %8.0f us   (the colour changed in %d of %d steps)\n",
                    "one preview step on the still, median", Percentile(steps, 0.5), changed, kSteps);
        std::printf("%-44s %8.0f to %.0f us\n", "the same, 10th to 90th percentile", Percentile(steps, 0.1),
                    Percentile(steps, 0.9));
    }
    return 0;
}

#include "still_bench.moc"
