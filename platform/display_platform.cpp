#include "platform/display_platform.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include <cstring>

namespace tintwell::platform {

namespace {

// Whether the desktop session is a Wayland one, whichever platform this
// program runs on.
bool InWaylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
}

} // namespace

bool ShouldPreferX11(bool platformChosen, bool waylandSession, bool x11Offered)
{
    return !platformChosen && waylandSession && x11Offered;
}

bool RunsOnWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1StringView("wayland"));
}

bool RunsOnX11()
{
    return QGuiApplication::platformName() == QLatin1StringView("xcb");
}

bool OtherWindowsHidden()
{
    return RunsOnWayland() || InWaylandSession();
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
