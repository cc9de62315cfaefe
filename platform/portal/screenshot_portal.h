#pragma once

#include "platform/portal/portal_request.h"
#include "platform/screen_picker.h"

namespace tintwell::platform {

// The portal's screenshot service, which both of the Wayland pickers ask:
// one for a colour from the desktop's own picker, one for a still.
inline constexpr QLatin1StringView kScreenshotInterface("org.freedesktop.portal.Screenshot");

// What a call to the screenshot service that brought no answer means for
// the pick.
PickFailure PickFailureOf(PortalFailure why);

} // namespace tintwell::platform
