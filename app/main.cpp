#include "app/display_guard.h"
#include "app/font_warm_up.h"
#include "platform/display_platform.h"
#include "ui/frm_main.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The application name becomes the window's class, which the desktop
    // entry's StartupWMClass names; the desktop file name is its id.
    QApplication::setApplicationName(QStringLiteral(TINTWELL_WM_CLASS));
    QApplication::setApplicationVersion(QStringLiteral(TINTWELL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TINTWELL_APP_ID));

    tintwell::platform::ChooseDisplayPlatform(argc, argv);
    tintwell::app::DisplayGuard displayGuard;
    // The font system starts while Qt opens the display. Where no display
    // opens, the guard ends the process, this thread with it.
    std::jthread fonts = tintwell::app::WarmUpFonts();
    QApplication app(argc, argv);
    fonts.join();
    displayGuard.Started();

    tintwell::ui::frmMain window;
    window.show();
    return QApplication::exec();
}
