#include "platform/portal/screenshot_portal.h"

namespace tintwell::platform {

PickFailure PickFailureOf(PortalFailure why)
{
    switch (why) {
    case PortalFailure::NoPortal:
        return PickFailure::NoPortal;
    case PortalFailure::NoInterface:
        return PickFailure::NoScreenshot;
    case PortalFailure::NoMethod:
        return PickFailure::NoMethod;
    case PortalFailure::Refused:
        return PickFailure::Refused;
    case PortalFailure::NoAnswer:
        return PickFailure::NoAnswer;
    }
    return PickFailure::Refused;
}

} // namespace tintwell::platform
