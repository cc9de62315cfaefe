#include "ui/pick_note.h"

#include <QCoreApplication>

namespace tintwell::ui {

QString PickNote(platform::PickFailure why)
{
    using platform::PickFailure;
    const auto tr = [](const char* text) { return QCoreApplication::translate("PickNote", text); };
    switch (why) {
    case PickFailure::NoDisplay:
        return tr("Picking from the screen is not possible on this display.");
    case PickFailure::InputBusy:
        return tr("Another program is holding the pointer or the keyboard; try again.");
    case PickFailure::NoPortal:
        return tr("Picking from the screen needs xdg-desktop-portal, which is not running.");
    case PickFailure::NoScreenshot:
        return tr("This desktop's portal offers no screenshots, so no colour can be picked from the screen.");
    case PickFailure::NoMethod:
        return tr("This desktop's portal cannot pick colours.");
    case PickFailure::Refused:
        return tr("The desktop did not let Tintwell see the screen.");
    case PickFailure::DesktopFailed:
        return tr("The desktop could not take a screenshot; try again.");
    case PickFailure::NoAnswer:
        return tr("The desktop did not answer in time; try again.");
    case PickFailure::BadAnswer:
        return tr("The desktop's answer held no usable colour.");
    case PickFailure::BadStill:
        return tr("The desktop's screenshot could not be used, so no colour was picked.");
    case PickFailure::DesktopPickerGaveNothing:
        return tr("The desktop's picker gave no colour. The next pick will be made from a still of the screen.");
    case PickFailure::CannotPickOrCapture:
        return tr("This desktop's portal can neither pick a colour nor take a screenshot.");
    }
    return {};
}

} // namespace tintwell::ui
