#include "platform/create_screen_picker.h"

#include "platform/display_platform.h"
#include "platform/picking/screen_picker_chain.h"
#include "platform/portal/portal_screen_picker.h"
#include "platform/still/still_screen_picker.h"
#include "platform/x11/x11_screen_picker.h"

#include <QWidget>

namespace tintwell::platform {

ScreenPicker* CreateScreenPicker(QWidget& window)
{
    // Then only the desktop can read the screen, through its portal.
    if (OtherWindowsHidden())
        return new ScreenPickerChain(
            &window, [](QObject* chain) { return new PortalScreenPicker(chain); },
            [&window](QObject* chain) { return new StillScreenPicker(chain, window); });
    return new X11ScreenPicker(window);
}

} // namespace tintwell::platform
