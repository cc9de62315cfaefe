#include "platform/window_activation.h"

#include "platform/display_platform.h"

#include <QString>
#include <QWidget>

namespace tintwell::platform {

void BringForward(QWidget& window, const QString& activationToken)
{
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    // Qt's Wayland platform activates with the token it finds here, once.
    if (!activationToken.isEmpty() && RunsOnWayland())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    window.activateWindow();
}

} // namespace tintwell::platform
