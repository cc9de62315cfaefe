#pragma once

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QString>
#include <QVariantMap>

#include <chrono>
#include <optional>

class QDBusPendingCallWatcher;
class QTimer;

namespace tintwell::platform {

// Where xdg-desktop-portal serves its interfaces.
inline constexpr QLatin1StringView kPortalService("org.freedesktop.portal.Desktop");
inline constexpr QLatin1StringView kPortalPath("/org/freedesktop/portal/desktop");

// The response codes of an answer; anything else means the desktop ended
// the request some other way.
constexpr uint kSucceeded = 0;
constexpr uint kUserCancelled = 1;

// Why a call to the portal brought no answer.
enum class PortalFailure {
    // Nothing answers for xdg-desktop-portal on the bus.
    NoPortal,
    // The portal runs but does not serve the interface called.
    NoInterface,
    // The interface lacks the method called.
    NoMethod,
    // The portal refused the call.
    Refused,
    // The portal did not answer in time.
    NoAnswer,
};

// How a request reaches the portal and how long it waits for it.
struct PortalOptions {
    // None: the portal's own connection, made by the first call.
    std::optional<QDBusConnection> bus;
    // For the call itself, and then for the answer, which may wait on the user.
    std::chrono::milliseconds callTimeout{std::chrono::seconds(10)};
    std::chrono::milliseconds answerTimeout{std::chrono::minutes(2)};
};

// The parent window a portal call names, so the desktop can put its dialog
// over it: the X11 window `owner` belongs to, none on other platforms.
QString ParentWindow(const QObject* owner);

// Closes a request or a session on the portal's side, without waiting to
// hear whether it could.
void ClosePortalObject(QDBusConnection& bus, const QString& path, QLatin1StringView interface);

// One request to xdg-desktop-portal: the call, then the answer the portal
// sends later on the request's own object. The answer is listened for
// before the call is made, a portal that does not answer in time ends it,
// and a request given up on is closed on the portal's side.
// It ends with exactly one of Answered or Failed, unless abandoned.
class PortalRequest final : public QObject {
    Q_OBJECT

public:
    // A desktop that takes longer than this may be waiting for the user, or
    // may never answer: the user is told, and can stop waiting.
    static constexpr std::chrono::milliseconds kSlowAnswer{std::chrono::seconds(4)};

    explicit PortalRequest(QObject* parent, PortalOptions options = {});
    ~PortalRequest() override;

    // Calls `method` of the portal's `interface` with `arguments`, then
    // `options`; does nothing while a request is open.
    void Send(QLatin1StringView interface, const QString& method, const QVariantList& arguments, QVariantMap options);
    // Gives the request up without a signal.
    void Abandon();
    bool IsOpen() const { return m_open; }
    // How long the last answer took from the call.
    std::chrono::milliseconds AnsweredAfter() const { return m_answeredAfter; }
    // Whether a call may have the bus start a portal that is not running.
    void SetStartsPortal(bool starts) { m_startsPortal = starts; }

Q_SIGNALS:
    void Answered(uint response, const QVariantMap& results);
    void Failed(platform::PortalFailure why);
    // Still open kSlowAnswer after the call.
    void Slow();

private Q_SLOTS:
    // A slot because QtDBus can only name a signal's receiver by signature.
    void OnResponse(uint response, const QVariantMap& results);

private:
    void Call(QLatin1StringView interface, const QString& method, const QVariantList& arguments, QVariantMap options);
    void OnCallFinished(QDBusPendingCallWatcher* call);
    void Listen(const QString& requestPath);
    void StopListening();
    // Ends the request, leaving nothing subscribed or running.
    void TearDown();
    void Fail(PortalFailure why);

    std::optional<QDBusConnection> m_bus;
    std::chrono::milliseconds m_callTimeout;
    QTimer* m_answerTimer = nullptr;
    QTimer* m_slowTimer = nullptr;
    QElapsedTimer m_sinceSent;
    std::chrono::milliseconds m_answeredAfter{0};
    QDBusPendingCallWatcher* m_call = nullptr;
    QString m_requestPath;
    bool m_open = false;
    // Counts the requests sent, to tell a call still to be made from a newer one.
    quint64 m_requests = 0;
    bool m_startsPortal = true;
};

} // namespace tintwell::platform
