// Preloaded into tintwell (LD_PRELOAD), this writes to the FIFO named by
// PICK_READY_PROBE, as CLOCK_MONOTONIC nanoseconds: "painted NS PID" when the
// main window is first painted, "ready NS" each time a pick's magnifier has
// been painted on the screen, and "ended NS" when it goes.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>
#include <utility>

namespace {

long long NowNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

void Write(const char* what, long long at, bool withPid = false)
{
    static std::FILE* out = [] {
        const char* path = std::getenv("PICK_READY_PROBE");
        std::FILE* fifo = path != nullptr ? std::fopen(path, "w") : nullptr;
        return fifo;
    }();
    if (out == nullptr)
        return;
    if (withPid)
        std::fprintf(out, "%s %lld %d\n", what, at, static_cast<int>(getpid()));
    else
        std::fprintf(out, "%s %lld\n", what, at);
    std::fflush(out);
}

class PickReadyProbe final : public QObject {
public:
    explicit PickReadyProbe(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!watched->isWidgetType() || !static_cast<QWidget*>(watched)->isWindow())
            return false;
        const bool magnifier = std::strcmp(watched->metaObject()->className(), "tintwell::platform::MagnifierWindow") ==
                               0;
        switch (event->type()) {
        case QEvent::Show:
            if (magnifier)
                m_shown = true;
            break;
        case QEvent::Hide:
            if (magnifier)
                Write("ended", NowNanoseconds());
            break;
        case QEvent::Paint:
            // Reported once the event loop comes round again: the window
            // has then been painted and flushed to the display.
            if (magnifier && std::exchange(m_shown, false))
                QTimer::singleShot(0, [] { Write("ready", NowNanoseconds()); });
            else if (!magnifier && !std::exchange(m_painted, true))
                QTimer::singleShot(0, [] { Write("painted", NowNanoseconds(), true); });
            break;
        default:
            break;
        }
        return false;
    }

private:
    bool m_shown = false;
    bool m_painted = false;
};

void InstallProbe()
{
    QCoreApplication::instance()->installEventFilter(new PickReadyProbe(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
