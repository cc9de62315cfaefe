#include "platform/session_end.h"

#include <QSocketNotifier>
#include <QWidget>

#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace tintwell::platform {

namespace {

// A signal handler may do almost nothing, so it writes a byte to a socket
// that the event loop watches; the loop does the rest.
std::array<int, 2> g_wakeUp{-1, -1};
std::function<void()> g_saveOnExit;

constexpr std::array kEndingSignals{SIGTERM, SIGHUP, SIGINT};
std::array<struct sigaction, kEndingSignals.size()> g_previous{};

void OnSignal(int /*signal*/)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_wakeUp[0], &byte, 1);
}

void OnExit()
{
    if (!g_saveOnExit)
        return;
    // Only reached when the toolkit exits on its own, the display gone:
    // the window's last known position is all there is to save.
    std::exchange(g_saveOnExit, nullptr)();
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

} // namespace

SessionEnd::SessionEnd(QWidget& window, std::function<void()> save) : QObject(&window)
{
    g_saveOnExit = std::move(save);
    [[maybe_unused]] static const bool onExit = std::atexit(OnExit) == 0;

    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_wakeUp.data()) != 0)
        return; // without it signals keep their default effect
    m_notifier = new QSocketNotifier(g_wakeUp[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [&window] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(g_wakeUp[1], &byte, 1);
        window.close();
    });
    struct sigaction action {};
    action.sa_handler = &OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
        ::sigaction(kEndingSignals[i], nullptr, &g_previous[i]);
        // A signal ignored by whoever started the program (nohup) stays so.
        if (g_previous[i].sa_handler != SIG_IGN)
            ::sigaction(kEndingSignals[i], &action, nullptr);
    }
}

SessionEnd::~SessionEnd()
{
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i)
        ::sigaction(kEndingSignals[i], &g_previous[i], nullptr);
    g_saveOnExit = nullptr;
    for (int& end : g_wakeUp)
        ::close(std::exchange(end, -1));
}

void SessionEnd::Closed()
{
    g_saveOnExit = nullptr;
}

} // namespace tintwell::platform
