#include "platform/global_shortcut.h"

#include "platform/portal/portal_global_shortcut.h"

namespace tintwell::platform {

GlobalShortcut* CreateGlobalShortcut(QObject* parent)
{
    return new PortalGlobalShortcut(parent);
}

} // namespace tintwell::platform
