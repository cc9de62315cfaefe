#include "platform/display_platform.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include <cstring>

namespace tintwell::platform {

bool ShouldPreferX11(bool platformChosen, bool waylandSession, bool x11Offered)
{
    return !platformChosen && waylandSession && x11Offered;
}

bool RunsOnWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1StringView("wayland"));
}

bool InWaylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
}

void ChooseDisplayPlatform(int argc, char* argv[])
{
    bool chosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            chosen = true;
    }
    if (ShouldPreferX11(chosen, InWaylandSession(), !qEnvironmentVariableIsEmpty("DISPLAY")))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace tintwell::platform
