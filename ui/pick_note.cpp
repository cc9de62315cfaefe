#include "ui/pick_note.h"

#include <QCoreApplication>

namespace tintwell::ui {

namespace {

// Marked here for lupdate, translated when a note is shown.
const char* NoteText(platform::PickFailure why)
{
    using platform::PickFailure;
    switch (why) {
    case PickFailure::NoDisplay:
        return QT_TRANSLATE_NOOP("PickNote", "Picking from the screen is not possible on this display.");
    case PickFailure::InputBusy:
        return QT_TRANSLATE_NOOP("PickNote", "Another program is holding the pointer or the keyboard; try again.");
    case PickFailure::NoPortal:
        return QT_TRANSLATE_NOOP("PickNote", "Picking from the screen needs xdg-desktop-portal, which is not running.");
    case PickFailure::NoScreenshot:
        return QT_TRANSLATE_NOOP("PickNote", "This desktop's portal offers no screenshots, so no colour can be "
                                             "picked from the screen.");
    case PickFailure::NoMethod:
        return QT_TRANSLATE_NOOP("PickNote", "This desktop's portal cannot pick colours.");
    case PickFailure::Refused:
        return QT_TRANSLATE_NOOP("PickNote", "The desktop did not let Tintwell see the screen.");
    case PickFailure::DesktopFailed:
        return QT_TRANSLATE_NOOP("PickNote", "The desktop could not take a screenshot; try again.");
    case PickFailure::NoAnswer:
        return QT_TRANSLATE_NOOP("PickNote", "The desktop did not answer in time; try again.");
    case PickFailure::BadAnswer:
        return QT_TRANSLATE_NOOP("PickNote", "The desktop's answer held no usable colour.");
    case PickFailure::BadStill:
        return QT_TRANSLATE_NOOP("PickNote", "The desktop's screenshot could not be used, so no colour was picked.");
    case PickFailure::StillRefused:
        return QT_TRANSLATE_NOOP("PickNote", "The desktop refused Tintwell a screenshot, so the next pick uses the "
                                             "desktop's own picker. To allow screenshots again, see \"Screenshots\" "
                                             "in the manual (man tintwell).");
    case PickFailure::DesktopPickerGaveNothing:
        return QT_TRANSLATE_NOOP("PickNote", "The desktop's picker gave no colour. The next pick will be made from a "
                                             "still of the screen.");
    case PickFailure::CannotPickOrCapture:
        return QT_TRANSLATE_NOOP("PickNote", "This desktop's portal can neither pick a colour nor take a screenshot.");
    }
    return nullptr;
}

} // namespace

QString PickNote(platform::PickFailure why)
{
    const char* text = NoteText(why);
    return text != nullptr ? QCoreApplication::translate("PickNote", text) : QString();
}

} // namespace tintwell::ui
