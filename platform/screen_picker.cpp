#include "platform/screen_picker.h"

#include "platform/display_platform.h"
#include "platform/portal_screen_picker.h"
#include "platform/x11_screen_picker.h"

#include <QWidget>

namespace platform {

ScreenPicker* CreateScreenPicker(QWidget& window)
{
    if (RunsOnWayland() || InWaylandSession())
        return new PortalScreenPicker(&window);
    return new X11ScreenPicker(window);
}

} // namespace platform
