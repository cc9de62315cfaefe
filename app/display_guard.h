#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace tintwell::app {

// Watches the toolkit's start. Where no display can be opened, Qt gives up
// with a fatal message and aborts; instead this prints one plain line and
// exits with status 2. Qt's other start-up messages are held back and passed
// on once the start has succeeded. Create one before the QApplication and
// call Started() right after it.
class DisplayGuard {
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

    void Started();

    static constexpr int kNoDisplayStatus = 2;

private:
    static void Intercept(QtMsgType type, const QMessageLogContext& context, const QString& message);

    QtMessageHandler m_previous = nullptr;
};

} // namespace tintwell::app
