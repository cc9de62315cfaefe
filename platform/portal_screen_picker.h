#pragma once

#include "platform/screen_picker.h"

#include <QDBusConnection>
#include <QString>
#include <QVariantMap>

#include <chrono>
#include <optional>

class QDBusPendingCallWatcher;
class QTimer;

namespace platform {

// Asks the desktop's own picker for a colour through xdg-desktop-portal
// (org.freedesktop.portal.Screenshot.PickColor). Whatever comes back over the
// bus is checked before it is believed, and a portal that does not answer in
// time ends the pick as a failure, so the window never waits for ever.
class PortalScreenPicker final : public ScreenPicker {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kCallTimeout{std::chrono::seconds(10)};
    static constexpr std::chrono::milliseconds kAnswerTimeout{std::chrono::minutes(2)};

    // Without a bus the session bus is used, connected by the first Start().
    explicit PortalScreenPicker(QObject* parent,
                                std::optional<QDBusConnection> bus = std::nullopt,
                                std::chrono::milliseconds callTimeout = kCallTimeout,
                                std::chrono::milliseconds answerTimeout = kAnswerTimeout);
    ~PortalScreenPicker() override;

    void Start() override;
    void Cancel() override;
    bool IsPicking() const override;

private Q_SLOTS:
    // A slot because QtDBus can only name a signal's receiver by signature.
    void OnResponse(uint response, const QVariantMap& results);

private:
    void OnCallFinished(QDBusPendingCallWatcher* call);
    void Listen(const QString& requestPath);
    void StopListening();
    // Ends the pick without a word, leaving nothing subscribed or running.
    void Finish();
    // The same for a pick cut short, whose request the portal is asked to close.
    void Abandon();
    void Fail(const QString& reason);
    QString ParentWindow() const;

    std::optional<QDBusConnection> m_bus;
    std::chrono::milliseconds m_callTimeout;
    QTimer* m_answerTimer = nullptr;
    QDBusPendingCallWatcher* m_call = nullptr;
    QString m_requestPath;
    bool m_picking = false;
};

} // namespace platform
