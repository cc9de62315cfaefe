#pragma once

class QWidget;

namespace tintwell::platform {

class ScreenPicker;

// The picker for this session, owned by `window`: on X11 the X11 picker, in
// a Wayland session the portal's, falling back to a still of the screen.
// Made on first use, so no grab, bus connection or portal request is
// prepared before it is needed.
ScreenPicker* CreateScreenPicker(QWidget& window);

} // namespace tintwell::platform
