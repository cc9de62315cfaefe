#include "platform/display_platform.h"
#include "ui/display_guard.h"
#include "ui/frm_main.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    platform::ChooseDisplayPlatform(argc, argv);
    ui::DisplayGuard displayGuard;
    QApplication app(argc, argv);
    displayGuard.Started();

    QApplication::setApplicationName(u"Tintwell"_s);
    QApplication::setApplicationVersion(QStringLiteral(TINTWELL_VERSION));

    frmMain window;
    window.show();
    return QApplication::exec();
}
