#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

class QDBusConnection;

namespace tintwell::platform {

// What launchers, docks and other programs may ask of the running program
// over the session bus: org.freedesktop.Application, on the name its desktop
// file is named after, so that the desktop can start it there and run its
// actions (D-Bus activation). Every caller is a stranger: whatever it asks
// that does not exist, or in a shape other than the interface's, changes
// nothing and is answered with an error.
class ApplicationService final : public QObject {
    Q_OBJECT

public:
    enum class Action { Pick, PickAndCopy };
    Q_ENUM(Action)

    // On the session bus.
    explicit ApplicationService(QObject* parent);
    ApplicationService(QObject* parent, const QDBusConnection& bus);

    // Answers on `appId` from now on, without waiting. Where another copy of
    // the program has the name, or there is no session bus, this copy goes
    // on as if it had not asked.
    void Offer(const QString& appId);

    // The token in a caller's `platformData` that lets the window take the
    // focus: an xdg-activation token on Wayland, a startup-notification id
    // on X11. None where the caller sent nothing usable.
    static QString ActivationToken(const QVariantMap& platformData, bool wayland);

Q_SIGNALS:
    // The window is to come forward and take the focus.
    void Activated(const QString& activationToken);
    void ActionActivated(platform::ApplicationService::Action action, const QString& activationToken);

private:
    QString m_connection;
    QString m_path;
};

} // namespace tintwell::platform
