// Preloaded into a Qt program (LD_PRELOAD), this ends it as soon as its first
// window has been painted, printing the CLOCK_MONOTONIC time of that moment
// in nanoseconds and the peak resident memory in kB: "<ns> <kB>". The same
// probe in both programs keeps the comparison fair and the product clean.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

long PeakResidentKilobytes()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return -1;
    char line[256];
    long kilobytes = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kilobytes = std::strtol(line + 6, nullptr, 10);
    }
    std::fclose(status);
    return kilobytes;
}

[[noreturn]] void Report()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("%lld %ld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, PeakResidentKilobytes());
    std::fflush(stdout);
    _exit(0);
}

class FirstPaintProbe final : public QObject {
public:
    explicit FirstPaintProbe(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            m_seen = true;
            // Report once the event loop comes round again: the whole window
            // has then been painted and flushed to the display.
            QTimer::singleShot(0, [] { Report(); });
        }
        return false;
    }

private:
    bool m_seen = false;
};

void InstallProbe()
{
    QCoreApplication::instance()->installEventFilter(new FirstPaintProbe(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
