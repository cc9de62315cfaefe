#include "platform/display_platform.h"
#include "ui/display_guard.h"
#include "ui/frm_main.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The application name becomes the window's class, which the desktop
    // entry's StartupWMClass names; the desktop file name is its id.
    QApplication::setApplicationName(QStringLiteral(TINTWELL_WM_CLASS));
    QApplication::setApplicationVersion(QStringLiteral(TINTWELL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TINTWELL_APP_ID));

    platform::ChooseDisplayPlatform(argc, argv);
    ui::DisplayGuard displayGuard;
    QApplication app(argc, argv);
    displayGuard.Started();

    frmMain window;
    window.show();
    return QApplication::exec();
}
