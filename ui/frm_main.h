#pragma once

#include "core/channel_inputs.h"
#include "core/channel_state.h"
#include "core/color_view.h"
#include "platform/window/window_placement.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace tintwell::platform {
class SessionEnd;
}

namespace tintwell::ui {

class ColorCommands;
class ColorSwatch;

// The picker's one window: the swatch, the three channel sliders, the decimal
// and hexadecimal boxes, and the two check boxes. It binds the colour model's
// named controls to its widgets and owns the channels for the life of the
// process. Controls carry their names as object names.
class frmMain final : public QWidget, public ColorView, public OkMessageBox {
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);

    const ChannelState& Channels() const { return m_state; }

    std::int16_t Value(Slider slider) const override;
    void SetValue(Slider slider, std::int16_t value) override;
    void SetSmallChange(Slider slider, std::int16_t step) override;
    std::u16string Text(Box box) const override;
    void SetText(Box box, const std::u16string& text) override;
    std::int16_t Value(CheckBox checkBox) const override;
    void SetBackColor(std::int32_t colorValue) override;

    void Show(std::u16string_view prompt, std::u16string_view title) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateControls();
    void FitFont();
    void SetTabOrder();
    void WireEvents();

    // Connects a control's signal to a handler, through the one place where
    // run-time errors are caught.
    template <typename Sender, typename Signal>
    void Wire(Sender* sender, Signal signal, void (frmMain::*handler)());

    void Form_Load();
    void Form_Unload();
    void ScrollR_Change();
    void ScrollG_Change();
    void ScrollB_Change();
    void ScrollR_Scroll();
    void ScrollG_Scroll();
    void ScrollB_Scroll();
    void txtDecR_Change();
    void txtDecG_Change();
    void txtDecB_Change();
    void txtDec_Change();
    void txtHexR_Change();
    void txtHexG_Change();
    void txtHexB_Change();
    void chkWebSafe_Click();
    void chkAlwaysOnTop_Click();

    QCheckBox* chkAlwaysOnTop = nullptr;
    ui::ColorSwatch* shapeColorDemo = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QScrollBar* ScrollR = nullptr;
    QScrollBar* ScrollG = nullptr;
    QScrollBar* ScrollB = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* txtDecR = nullptr;
    QLineEdit* txtDecG = nullptr;
    QLineEdit* txtDecB = nullptr;
    QLineEdit* txtHexR = nullptr;
    QLineEdit* txtHexG = nullptr;
    QLineEdit* txtHexB = nullptr;
    QFrame* Line1 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtDec = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txtHex = nullptr;
    QFrame* Line2 = nullptr;
    QCheckBox* chkWebSafe = nullptr;

    // The named controls above, in the order of the colour model's tables.
    std::array<QScrollBar*, kSliders.size()> m_scrollBars{};
    std::array<QLineEdit*, kBoxes.size()> m_lineEdits{};
    std::array<QCheckBox*, kCheckBoxes.size()> m_checkBoxes{};

    platform::WindowPlacement m_placement;
    ChannelState m_state{*this};
    ChannelInputs m_inputs;
    ui::ColorCommands* m_commands = nullptr;
    platform::SessionEnd* m_sessionEnd = nullptr;
    bool m_painted = false;
};

} // namespace tintwell::ui
