#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace tintwell::platform {

// Makes the end of a session end the program the way its close button does,
// with the window's position saved and exit status 0:
// - SIGTERM, SIGHUP and SIGINT (a logout, a closed terminal, Ctrl+C) close
//   `window` from the event loop, as the close button would;
// - a broken display connection, after which the toolkit exits at once,
//   still runs `save` on the way out and turns the status into 0.
// The session manager's own request to quit already closes the window.
// One per process; make it once the window has restored its position.
class SessionEnd final : public QObject {
    Q_OBJECT

public:
    SessionEnd(QWidget& window, std::function<void()> save);
    ~SessionEnd() override;

    // The window has closed normally: nothing is left to save on exit.
    void Closed();

private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace tintwell::platform
