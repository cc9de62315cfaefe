#pragma once

#include "core/recent_colors.h"
#include "core/rgb.h"

#include <QObject>

class QAction;
class QMenu;
class QMimeData;
class QWidget;

namespace tintwell::platform {
class ApplicationService;
class GlobalShortcut;
class ScreenPicker;
class WaylandSelection;
} // namespace tintwell::platform
namespace tintwell {
class ChannelState;
}

namespace tintwell::ui {

class ColorSwatch;

// What the window offers around its controls: picking a colour from the
// screen, copying the colour and pasting one, and the swatch's menu. Every
// colour that arrives (picked, pasted, dropped) goes through the colour
// model's one entry for a whole colour. Nothing here talks to the screen or
// the bus until the user asks for it, but the shortcut that picks from
// anywhere, which the window registers once it is shown.
class ColorCommands final : public QObject {
    Q_OBJECT

public:
    ColorCommands(QWidget& window, ColorSwatch& swatch, ChannelState& state);

    void StartPicking();
    // Ends a pick in progress as Esc would.
    void CancelPicking();
    // Makes the program reachable from anywhere, once: answers launchers and
    // other programs on the session bus, and asks the desktop for a key
    // that picks and copies the colour while other programs have the focus.
    void JoinDesktop();

    void CopyHex();
    void CopyRgb();
    void CopyHsl();
    void CopyOklch();
    void CopyColorValue();
    void Paste();

    // Whether dragged data carries a colour, and taking it when dropped.
    bool CanTake(const QMimeData& data) const;
    void Take(const QMimeData& data);

    // A short message beside the swatch that goes away by itself.
    void Notice(const QString& text);

    void ShowMenu(QPoint globalPosition);

private:
    QAction* AddAction(const QString& text, const QList<QKeySequence>& keys, void (ColorCommands::*command)());
    // A pick asked for from outside the window: when taken, the window
    // comes forward with its colour, copied too if `copy`. One already
    // running, the user's, stays as it was.
    void PickFromElsewhere(bool copy, const QString& activationToken);
    // Copies the colour once the window has the focus the desktop wants of
    // a program that copies, or after a while without it.
    void CopyInFront();
    void Choose(tintwell::Rgb color);
    // A colour the user took (picked, pasted, dropped, or taken again from
    // the recent ones): it becomes the colour, and the newest recent one.
    void Took(tintwell::Rgb color);
    void FillRecentMenu();
    void SetClipboardText(const std::u16string& text);

    QWidget& m_window;
    ColorSwatch& m_swatch;
    ChannelState& m_state;

    QAction* m_pick = nullptr;
    QAction* m_copyHex = nullptr;
    QAction* m_copyRgb = nullptr;
    QAction* m_copyHsl = nullptr;
    QAction* m_copyOklch = nullptr;
    QAction* m_copyValue = nullptr;
    QAction* m_paste = nullptr;
    QMenu* m_menu = nullptr;
    QMenu* m_recentMenu = nullptr;
    // This session's colours taken; never written anywhere.
    tintwell::RecentColors m_recent;

    platform::ScreenPicker* m_picker = nullptr;
    // The colour before a pick, put back when a previewing pick is cancelled.
    tintwell::Rgb m_beforePick;
    bool m_previewed = false;
    platform::ApplicationService* m_service = nullptr;
    platform::GlobalShortcut* m_shortcut = nullptr;
    // Set while a pick asked for from outside the window runs: its colour
    // brings the window forward, and may be copied.
    bool m_showWhenTaken = false;
    bool m_copyWhenTaken = false;
    QString m_activationToken;
    platform::WaylandSelection* m_waylandSelection = nullptr;
};

} // namespace tintwell::ui
