#pragma once

#include <QObject>

namespace tintwell::platform {

// A key the desktop binds for the program, which works while other programs
// have the focus.
class GlobalShortcut : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Asks the desktop to bind it, without waiting; where the desktop
    // cannot, nothing happens and nothing is said.
    virtual void Register() = 0;

Q_SIGNALS:
    // The key was pressed. Where the desktop sent one, `activationToken`
    // lets the window take the focus from whichever program has it.
    void Activated(const QString& activationToken);
};

// The shortcut to pick a colour and copy it, bound through the desktop's
// portal whatever the session, owned by `parent`.
GlobalShortcut* CreateGlobalShortcut(QObject* parent);

} // namespace tintwell::platform
