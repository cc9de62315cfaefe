#include "ui/color_commands.h"

#include "core/channel_state.h"
#include "core/color_formats.h"
#include "core/color_name.h"
#include "core/color_notation.h"
#include "platform/application_service.h"
#include "platform/create_screen_picker.h"
#include "platform/display_platform.h"
#include "platform/global_shortcut.h"
#include "platform/screen_picker.h"
#include "platform/wayland_selection.h"
#include "platform/window/window_activation.h"
#include "ui/color_mime.h"
#include "ui/color_swatch.h"
#include "ui/error_report.h"
#include "ui/pick_note.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QToolTip>
#include <QWidget>

#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace tintwell::ui {

namespace {

constexpr int kNoticeMilliseconds = 6000;
// How long a copy waits for the focus before it is made without.
constexpr std::chrono::seconds kFocusWait{5};

} // namespace

ColorCommands::ColorCommands(QWidget& window, ColorSwatch& swatch, ChannelState& state)
    : QObject(&window), m_window(window), m_swatch(swatch), m_state(state)
{
    m_pick = AddAction(tr("Pick from Screen"), {QKeySequence(Qt::CTRL | Qt::Key_P)}, &ColorCommands::StartPicking);
    m_copyHex = AddAction(tr("Copy #RRGGBB"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
                          &ColorCommands::CopyHex);
    m_copyRgb = AddAction(tr("Copy rgb()"), {}, &ColorCommands::CopyRgb);
    m_copyHsl = AddAction(tr("Copy hsl()"), {}, &ColorCommands::CopyHsl);
    m_copyOklch = AddAction(tr("Copy oklch()"), {}, &ColorCommands::CopyOklch);
    m_copyValue = AddAction(tr("Copy Colour Value"), {}, &ColorCommands::CopyColorValue);
    m_paste = AddAction(tr("Paste Colour"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V)}, &ColorCommands::Paste);

    // The menu key and Shift+F10 open the swatch's menu wherever the focus is.
    auto* openMenu = new QAction(this);
    openMenu->setShortcuts({QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)});
    connect(openMenu, &QAction::triggered, this, [this] { ShowMenu(m_swatch.mapToGlobal(m_swatch.rect().center())); });
    m_window.addAction(openMenu);

    m_swatch.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&m_swatch, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { ShowMenu(m_swatch.mapToGlobal(at)); });
    // Queued, so a grab taken for the pick is not undone by the button or
    // menu that is still letting go of the pointer.
    connect(&m_swatch, &QAbstractButton::clicked, this, &ColorCommands::StartPicking, Qt::QueuedConnection);
    m_swatch.SetColorSource([this] { return m_state.Color(); });
    m_swatch.SetPreviousSource([this](tintwell::Rgb shown) { return m_recent.Before(shown); });
    m_swatch.SetHelp(tr("Click to pick a colour from the screen (Ctrl+P). Drag the swatch into another "
                        "program. Right-click to copy the colour (Ctrl+Shift+C) or paste one (Ctrl+Shift+V)."));
}

QAction* ColorCommands::AddAction(const QString& text, const QList<QKeySequence>& keys,
                                  void (ColorCommands::*command)())
{
    auto* action = new QAction(text, this);
    action->setShortcuts(keys);
    connect(
        action, &QAction::triggered, this,
        [this, command] { RunHandler(&m_window, [this, command] { (this->*command)(); }); }, Qt::QueuedConnection);
    m_window.addAction(action);
    return action;
}

void ColorCommands::StartPicking()
{
    if (m_picker == nullptr) {
        m_picker = platform::CreateScreenPicker(m_window);
        connect(m_picker, &platform::ScreenPicker::Hovered, this, [this](tintwell::Rgb color) {
            m_previewed = true;
            Choose(color);
        });
        connect(m_picker, &platform::ScreenPicker::Picked, this, [this](tintwell::Rgb color) {
            Took(color);
            if (std::exchange(m_copyWhenTaken, false))
                CopyInFront();
            else if (std::exchange(m_showWhenTaken, false))
                platform::BringForward(m_window, std::exchange(m_activationToken, {}));
        });
        connect(m_picker, &platform::ScreenPicker::Cancelled, this, [this] {
            m_showWhenTaken = false;
            m_copyWhenTaken = false;
            if (m_previewed)
                Choose(m_beforePick);
        });
        connect(m_picker, &platform::ScreenPicker::Waiting, this, [this](bool still) {
            Notice(still ? tr("Waiting for the desktop's screenshot; it may be asking you whether to allow it. "
                              "Press Esc or click the swatch to stop waiting.")
                         : tr("Waiting for the desktop's colour picker. Press Esc or click the swatch to stop "
                              "waiting."));
        });
        connect(m_picker, &platform::ScreenPicker::Failed, this, [this](platform::PickFailure why) {
            m_showWhenTaken = false;
            m_copyWhenTaken = false;
            if (m_previewed)
                Choose(m_beforePick);
            Notice(PickNote(why));
        });
    }
    // Asked again while the desktop has not answered: the user has stopped
    // waiting. (A pick on the screen holds the pointer and keys, so this is
    // never a click on its way to take a colour.)
    if (m_picker->IsPicking()) {
        m_picker->Cancel();
        return;
    }
    m_beforePick = m_state.Color();
    m_previewed = false;
    m_picker->Start();
}

void ColorCommands::CancelPicking()
{
    if (m_picker != nullptr)
        m_picker->Cancel();
}

void ColorCommands::JoinDesktop()
{
    if (m_service != nullptr)
        return;
    m_service = new platform::ApplicationService(this);
    connect(m_service, &platform::ApplicationService::Activated, this,
            [this](const QString& activationToken) { platform::BringForward(m_window, activationToken); });
    connect(m_service, &platform::ApplicationService::ActionActivated, this,
            [this](platform::ApplicationService::Action action, const QString& activationToken) {
                PickFromElsewhere(action == platform::ApplicationService::Action::PickAndCopy, activationToken);
            });
    m_service->Offer(QGuiApplication::desktopFileName());

    m_shortcut = platform::CreateGlobalShortcut(this);
    connect(m_shortcut, &platform::GlobalShortcut::Activated, this,
            [this](const QString& activationToken) { PickFromElsewhere(true, activationToken); });
    m_shortcut->Register();
}

void ColorCommands::PickFromElsewhere(bool copy, const QString& activationToken)
{
    if (m_picker != nullptr && m_picker->IsPicking())
        return;
    m_showWhenTaken = true;
    m_copyWhenTaken = copy;
    m_activationToken = activationToken;
    StartPicking();
}

void ColorCommands::CopyInFront()
{
    platform::BringForward(m_window, std::exchange(m_activationToken, {}));
    // Where the desktop gives no focus to a window behind others, the
    // clipboard is set without it, at once, on desktops that allow that.
    if (platform::RunsOnWayland()) {
        if (m_waylandSelection == nullptr)
            m_waylandSelection = new platform::WaylandSelection(this);
        const std::unique_ptr<QMimeData> data(ColorMimeData(m_state.Color()));
        m_waylandSelection->Set(data->text().toUtf8());
    }
    platform::WhenActive(m_window, kFocusWait, [this] { CopyHex(); });
}

void ColorCommands::CopyHex()
{
    QGuiApplication::clipboard()->setMimeData(ColorMimeData(m_state.Color()));
}

void ColorCommands::CopyRgb()
{
    SetClipboardText(tintwell::RgbNotation(m_state.Color()));
}

void ColorCommands::CopyHsl()
{
    SetClipboardText(tintwell::HslNotation(m_state.Color()));
}

void ColorCommands::CopyOklch()
{
    SetClipboardText(tintwell::OklchNotation(m_state.Color()));
}

void ColorCommands::CopyColorValue()
{
    const tintwell::Rgb color = m_state.Color();
    SetClipboardText(tintwell::ColorDecimalText(color.red, color.green, color.blue));
}

void ColorCommands::Paste()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data != nullptr && CanTake(*data)) {
        Take(*data);
        return;
    }
    //: The notations and the CSS name are what a paste understands; they stay as they are.
    Notice(tr("The clipboard holds no colour. Paste #RGB, #RRGGBB, rgb(…), hsl(…), oklch(…) or another "
              "CSS colour, or a colour name such as \"teal\"."));
}

bool ColorCommands::CanTake(const QMimeData& data) const
{
    return ColorFromMimeData(data).has_value();
}

void ColorCommands::Take(const QMimeData& data)
{
    if (const std::optional<tintwell::Rgb> color = ColorFromMimeData(data))
        Took(*color);
}

void ColorCommands::Notice(const QString& text)
{
    QToolTip::showText(m_swatch.mapToGlobal(m_swatch.rect().center()), text, &m_swatch, {}, kNoticeMilliseconds);
}

void ColorCommands::ShowMenu(QPoint globalPosition)
{
    if (m_menu == nullptr) {
        m_menu = new QMenu(&m_window);
        m_menu->addAction(m_pick);
        m_menu->addSeparator();
        m_menu->addActions({m_copyHex, m_copyRgb, m_copyHsl, m_copyOklch, m_copyValue});
        m_menu->addSeparator();
        m_menu->addAction(m_paste);
        m_recentMenu = m_menu->addMenu(tr("Recent Colours"));
        connect(m_recentMenu, &QMenu::aboutToShow, this, &ColorCommands::FillRecentMenu);
    }
    m_recentMenu->setEnabled(!m_recent.Colors().empty());
    m_menu->popup(globalPosition);
}

void ColorCommands::FillRecentMenu()
{
    m_recentMenu->clear();
    const int side = m_recentMenu->style()->pixelMetric(QStyle::PM_SmallIconSize);
    for (const tintwell::Rgb color : m_recent.Colors()) {
        QPixmap chip(side, side);
        chip.fill(QColor(color.red, color.green, color.blue));
        QPainter(&chip).drawRect(0, 0, side - 1, side - 1);
        const QString text = QString::fromStdU16String(tintwell::HexNotation(color)) + u"  "_s +
                             QString::fromStdU16String(tintwell::ColorNameText(color));
        QAction* entry = m_recentMenu->addAction(QIcon(chip), text);
        connect(entry, &QAction::triggered, this, [this, color] { Took(color); });
    }
}

void ColorCommands::Took(Rgb color)
{
    // Listed first, so the colour is compared with the one before it.
    m_recent.Add(color);
    Choose(color);
}

void ColorCommands::Choose(Rgb color)
{
    RunHandler(&m_window, [&] { m_state.SetColor(color); });
}

void ColorCommands::SetClipboardText(const std::u16string& text)
{
    QGuiApplication::clipboard()->setText(QString::fromStdU16String(text));
}

} // namespace tintwell::ui
