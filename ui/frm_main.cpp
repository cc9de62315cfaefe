#include "ui/frm_main.h"

#include "core/run_time_error.h"
#include "core/web_safe_mode.h"
#include "platform/always_on_top.h"
#include "platform/session_end.h"
#include "ui/caption_fit.h"
#include "ui/color_commands.h"
#include "ui/color_swatch.h"
#include "ui/error_report.h"
#include "ui/fitted_check_box_style.h"
#include "ui/twips.h"
#include "ui/upward_scroll_bar_style.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QColor>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPalette>
#include <QScrollBar>

#include <algorithm>
#include <string>
#include <utility>

using namespace Qt::StringLiterals;

namespace tintwell::ui {

using tintwell::Box;
using tintwell::CheckBox;
using tintwell::Slider;

namespace {

constexpr int kPageStep = 10;
// The layout was drawn for an 8-point dialog font: 11 pixels at 96 dpi.
constexpr int kLayoutFontPixelSize = 11;

template <typename Widget>
Widget* Place(Widget* widget, QLatin1StringView name, QRect geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QLineEdit* MakeBox(QWidget* parent, QLatin1StringView name, QRect geometry)
{
    auto* box = Place(new QLineEdit(u"0"_s, parent), name, geometry);
    box->setAlignment(Qt::AlignCenter);
    // A colour dropped on a box is for the whole window, which takes it.
    box->setAcceptDrops(false);
    return box;
}

QLabel* MakeLabel(QWidget* parent, QLatin1StringView name, const QString& caption, QRect geometry)
{
    auto* label = Place(new QLabel(caption, parent), name, geometry);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QFrame* MakeLine(QWidget* parent, QLatin1StringView name, int left, int top, int right)
{
    auto* line = Place(new QFrame(parent), name, ui::RectFromTwips(left, top, right - left, 0));
    line->setFrameStyle(QFrame::HLine | QFrame::Plain);
    line->setFixedHeight(1);
    return line;
}

} // namespace

frmMain::frmMain(QWidget* parent)
    : QWidget(parent)
    , m_inputs(m_state, *this, QLocale().decimalPoint().toStdU16String())
{
    setObjectName("frmMain"_L1);
    setWindowTitle(u"Tintwell"_s);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(ui::RectFromTwips(0, 0, 3045, 9360).size());
    // Set before the controls measure their captions, so no other size is
    // ever loaded unless it has to shrink.
    setFont(ui::CappedFont(font(), kLayoutFontPixelSize));

    CreateControls();
    FitFont();
    SetTabOrder();
    WireEvents();
    txtDecR->setFocus();
    m_commands = new ui::ColorCommands(*this, *shapeColorDemo, m_inputs, m_state);
    setAcceptDrops(true);

    ui::RunHandler(this, [this] { Form_Load(); });
    m_sessionEnd = new platform::SessionEnd(*this, [this] { Form_Unload(); });
}

void frmMain::CreateControls()
{
    using ui::RectFromTwips;

    chkAlwaysOnTop = Place(new QCheckBox(u"Always on Top"_s, this), "chkAlwaysOnTop"_L1,
                           RectFromTwips(840, 120, 1455, 255));
    if (!platform::modAlwaysOnTop::IsSupported())
        chkAlwaysOnTop->setToolTip(
            u"This desktop (Wayland) lets no program keep its window above others."_s);

    shapeColorDemo = Place(new ui::ColorSwatch(this), "shapeColorDemo"_L1, RectFromTwips(240, 600, 2535, 1695));
    shapeColorDemo->setAccessibleName(u"Colour swatch"_s);

    Frame1 = Place(new QGroupBox(u"Controls"_s, this), "Frame1"_L1, RectFromTwips(240, 2520, 2535, 6615));

    Label1 = MakeLabel(Frame1, "Label1"_L1, u"Red"_s, RectFromTwips(240, 360, 750, 255));
    Label2 = MakeLabel(Frame1, "Label2"_L1, u"Green"_s, RectFromTwips(840, 360, 750, 255));
    Label3 = MakeLabel(Frame1, "Label3"_L1, u"Blue"_s, RectFromTwips(1440, 360, 750, 255));

    // Maximum at the top, so the thumb rises with the channel; the style
    // makes the top arrow and the trough above the thumb raise it too.
    auto* upward = new ui::UpwardScrollBarStyle(this);
    const auto makeSlider = [&](QLatin1StringView name, int left, const QString& accessibleName) {
        auto* slider = Place(new QScrollBar(Qt::Vertical, Frame1), name, RectFromTwips(left, 720, 300, 2000));
        slider->setStyle(upward);
        slider->setRange(0, tintwell::kMaxChannel);
        slider->setInvertedAppearance(true);
        slider->setInvertedControls(false); // Up, Page Up and the wheel turned up raise it
        slider->setSingleStep(tintwell::kFineStep);
        slider->setPageStep(kPageStep);
        slider->setFocusPolicy(Qt::StrongFocus);
        slider->setAccessibleName(accessibleName);
        return slider;
    };
    ScrollR = makeSlider("ScrollR"_L1, 480, u"Red"_s);
    ScrollG = makeSlider("ScrollG"_L1, 1080, u"Green"_s);
    ScrollB = makeSlider("ScrollB"_L1, 1680, u"Blue"_s);

    // The tie boxes and caption are kept, hidden and inert, as the window has
    // always had them.
    const auto makeTie = [&](QLatin1StringView name, const QString& caption, int left) {
        auto* tie = Place(new QCheckBox(caption, Frame1), name, RectFromTwips(left, 2900, 195, 195));
        tie->setFocusPolicy(Qt::NoFocus);
        tie->hide();
        return tie;
    };
    Check1 = makeTie("Check1"_L1, u"Check1"_s, 480);
    Check2 = makeTie("Check2"_L1, u"Check2"_s, 1080);
    Check3 = makeTie("Check3"_L1, u"Check3"_s, 1680);
    Label6 = MakeLabel(Frame1, "Label6"_L1, u"------------ TIE ------------    "_s,
                       RectFromTwips(120, 3200, 2295, 255));
    Label6->hide();

    txtDecR = MakeBox(Frame1, "txtDecR"_L1, RectFromTwips(360, 3720, 500, 300));
    txtDecG = MakeBox(Frame1, "txtDecG"_L1, RectFromTwips(960, 3720, 500, 300));
    txtDecB = MakeBox(Frame1, "txtDecB"_L1, RectFromTwips(1560, 3720, 500, 300));
    txtHexR = MakeBox(Frame1, "txtHexR"_L1, RectFromTwips(360, 4080, 500, 300));
    txtHexG = MakeBox(Frame1, "txtHexG"_L1, RectFromTwips(960, 4080, 500, 300));
    txtHexB = MakeBox(Frame1, "txtHexB"_L1, RectFromTwips(1560, 4080, 500, 300));
    txtDecR->setAccessibleName(u"Red decimal"_s);
    txtDecG->setAccessibleName(u"Green decimal"_s);
    txtDecB->setAccessibleName(u"Blue decimal"_s);
    txtHexR->setAccessibleName(u"Red hexadecimal"_s);
    txtHexG->setAccessibleName(u"Green hexadecimal"_s);
    txtHexB->setAccessibleName(u"Blue hexadecimal"_s);

    Line1 = MakeLine(Frame1, "Line1"_L1, 240, 4680, 2280);
    Label4 = MakeLabel(Frame1, "Label4"_L1, u"Dec"_s, RectFromTwips(240, 4965, 750, 255));
    txtDec = MakeBox(Frame1, "txtDec"_L1, RectFromTwips(960, 4920, 1095, 300));
    txtDec->setAccessibleName(u"Colour decimal"_s);
    Label5 = MakeLabel(Frame1, "Label5"_L1, u"Hex"_s, RectFromTwips(240, 5325, 750, 255));
    txtHex = MakeBox(Frame1, "txtHex"_L1, RectFromTwips(960, 5280, 1095, 300));
    txtHex->setAccessibleName(u"Colour hexadecimal"_s);
    Line2 = MakeLine(Frame1, "Line2"_L1, 240, 5880, 2280);

    chkWebSafe = Place(new QCheckBox(u"Web Safe"_s, Frame1), "chkWebSafe"_L1,
                       RectFromTwips(720, 6120, 1095, 195));
    // Thirteen pixels tall, shorter than most styles' square.
    chkWebSafe->setStyle(new ui::FittedCheckBoxStyle(this));
}

void frmMain::FitFont()
{
    const QList<ui::Caption> captions{
        {chkAlwaysOnTop, chkAlwaysOnTop->text()},
        {Frame1, Frame1->title()},
        {Label1, Label1->text()},
        {Label2, Label2->text()},
        {Label3, Label3->text()},
        {Label4, Label4->text()},
        {Label5, Label5->text()},
        {chkWebSafe, chkWebSafe->text()},
        {txtDecR, u"255"_s},
        {txtHexR, u"FF"_s},
        {txtDec, u"16777215"_s},
        {txtHex, u"FFFFFF"_s},
    };
    setFont(ui::ShrunkToFit(font(), captions));
}

void frmMain::SetTabOrder()
{
    const QList<QWidget*> order{txtDecR, txtDecG, txtDecB, txtDec,  ScrollR,    ScrollG,
                                ScrollB, txtHex,  txtHexB, txtHexG, txtHexR,    chkWebSafe,
                                chkAlwaysOnTop, Check1, Check2, Check3};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

template <typename Sender, typename Signal>
void frmMain::Wire(Sender* sender, Signal signal, void (frmMain::*handler)())
{
    connect(sender, signal, this, [this, handler] { ui::RunHandler(this, [this, handler] { (this->*handler)(); }); });
}

void frmMain::WireEvents()
{
    Wire(ScrollR, &QScrollBar::valueChanged, &frmMain::ScrollR_Change);
    Wire(ScrollG, &QScrollBar::valueChanged, &frmMain::ScrollG_Change);
    Wire(ScrollB, &QScrollBar::valueChanged, &frmMain::ScrollB_Change);
    Wire(ScrollR, &QScrollBar::sliderMoved, &frmMain::ScrollR_Scroll);
    Wire(ScrollG, &QScrollBar::sliderMoved, &frmMain::ScrollG_Scroll);
    Wire(ScrollB, &QScrollBar::sliderMoved, &frmMain::ScrollB_Scroll);
    Wire(txtDecR, &QLineEdit::textChanged, &frmMain::txtDecR_Change);
    Wire(txtDecG, &QLineEdit::textChanged, &frmMain::txtDecG_Change);
    Wire(txtDecB, &QLineEdit::textChanged, &frmMain::txtDecB_Change);
    Wire(txtDec, &QLineEdit::textChanged, &frmMain::txtDec_Change);
    Wire(txtHexR, &QLineEdit::textChanged, &frmMain::txtHexR_Change);
    Wire(txtHexG, &QLineEdit::textChanged, &frmMain::txtHexG_Change);
    Wire(txtHexB, &QLineEdit::textChanged, &frmMain::txtHexB_Change);
    // toggled, not clicked: an assistive technology's toggle action emits
    // only the former.
    Wire(chkWebSafe, &QCheckBox::toggled, &frmMain::chkWebSafe_Click);
    Wire(chkAlwaysOnTop, &QCheckBox::toggled, &frmMain::chkAlwaysOnTop_Click);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    m_commands->CancelPicking(); // lets go of the pointer and keyboard first
    ui::RunHandler(this, [this] { Form_Unload(); });
    m_sessionEnd->Closed();
    event->accept(); // closing is never cancelled
}

void frmMain::keyPressEvent(QKeyEvent* event)
{
    // Esc gives up waiting for the desktop's own picker.
    if (event->key() == Qt::Key_Escape)
        m_commands->CancelPicking();
    QWidget::keyPressEvent(event);
}

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_commands->CanTake(*event->mimeData()))
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event)
{
    m_commands->Take(*event->mimeData());
    event->acceptProposedAction();
}

void frmMain::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // Queued, so that asking the desktop never holds up the first paint.
    if (!std::exchange(m_painted, true))
        QMetaObject::invokeMethod(m_commands, &ui::ColorCommands::RegisterShortcut, Qt::QueuedConnection);
}

void frmMain::Form_Load()
{
    m_placement.Restore(*this);
    m_state.lMasterR = 0;
    m_state.lMasterG = 0;
    m_state.lMasterB = 0;
    m_state.UpdateDisplay();
}

void frmMain::Form_Unload()
{
    m_placement.Save(*this);
}

void frmMain::ScrollR_Change() { m_inputs.SliderChanged(Slider::ScrollR); }
void frmMain::ScrollG_Change() { m_inputs.SliderChanged(Slider::ScrollG); }
void frmMain::ScrollB_Change() { m_inputs.SliderChanged(Slider::ScrollB); }
void frmMain::ScrollR_Scroll() { m_inputs.SliderChanged(Slider::ScrollR); }
void frmMain::ScrollG_Scroll() { m_inputs.SliderChanged(Slider::ScrollG); }
void frmMain::ScrollB_Scroll() { m_inputs.SliderChanged(Slider::ScrollB); }
void frmMain::txtDecR_Change() { m_inputs.ChannelTextChanged(Slider::ScrollR); }
void frmMain::txtDecG_Change() { m_inputs.ChannelTextChanged(Slider::ScrollG); }
void frmMain::txtDecB_Change() { m_inputs.ChannelTextChanged(Slider::ScrollB); }
void frmMain::txtDec_Change() { m_inputs.ColorTextChanged(); }
void frmMain::txtHexR_Change() { m_inputs.HexTextChanged(); }
void frmMain::txtHexG_Change() { m_inputs.HexTextChanged(); }
void frmMain::txtHexB_Change() { m_inputs.HexTextChanged(); }
void frmMain::chkWebSafe_Click() { tintwell::WebSafeClicked(*this, *this); }

void frmMain::chkAlwaysOnTop_Click()
{
    // Keeping above others is a courtesy the desktop may refuse: every error
    // here is ignored and the box keeps what the user gave it.
    try {
        if (Value(CheckBox::chkAlwaysOnTop) == 1)
            platform::modAlwaysOnTop::MakeTopMost(*this);
        else
            platform::modAlwaysOnTop::MakeNotTopMost(*this);
    } catch (...) {
    }
}

std::int16_t frmMain::Value(Slider slider) const
{
    // The thumb's position: while it is dragged this runs ahead of value().
    return static_cast<std::int16_t>(ScrollBarOf(slider)->sliderPosition());
}

void frmMain::SetValue(Slider slider, std::int16_t value)
{
    QScrollBar* bar = ScrollBarOf(slider);
    if (value < bar->minimum() || value > bar->maximum())
        throw tintwell::RunTimeError(tintwell::ErrorKind::ControlFailure,
                                     "invalid value " + std::to_string(value) + " for " +
                                         std::string(tintwell::ControlName(slider)));
    bar->setValue(value);
}

void frmMain::SetSmallChange(Slider slider, std::int16_t step)
{
    ScrollBarOf(slider)->setSingleStep(step);
}

std::u16string frmMain::Text(Box box) const
{
    return LineEditOf(box)->text().toStdU16String();
}

void frmMain::SetText(Box box, const std::u16string& text)
{
    QLineEdit* edit = LineEditOf(box);
    const QString newText = QString::fromStdU16String(text);
    // An identical text raises no change event, and writing it anyway would
    // throw the caret to the end.
    if (edit->text() == newText)
        return;
    if (!edit->hasFocus()) {
        edit->setText(newText);
        return;
    }
    // The user is typing here: keep the caret as far from the end as it was,
    // so what stood after it still does.
    const qsizetype fromEnd = edit->text().size() - edit->cursorPosition();
    edit->setText(newText);
    edit->setCursorPosition(static_cast<int>(std::max<qsizetype>(0, edit->text().size() - fromEnd)));
}

std::int16_t frmMain::Value(CheckBox checkBox) const
{
    return CheckBoxOf(checkBox)->isChecked() ? 1 : 0;
}

void frmMain::SetBackColor(std::int32_t colorValue)
{
    // Red in the low byte.
    const auto channel = [colorValue](int shift) { return (colorValue >> shift) & 0xFF; };
    shapeColorDemo->ShowColor(QColor(channel(0), channel(8), channel(16)));
}

void frmMain::Show(std::u16string_view prompt, std::u16string_view title)
{
    const auto toQString = [](std::u16string_view text) {
        return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    };
    QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(prompt), QMessageBox::Ok, this);
    box.exec();
}

QScrollBar* frmMain::ScrollBarOf(Slider slider) const
{
    switch (slider) {
    case Slider::ScrollR:
        return ScrollR;
    case Slider::ScrollG:
        return ScrollG;
    case Slider::ScrollB:
        break;
    }
    return ScrollB;
}

QLineEdit* frmMain::LineEditOf(Box box) const
{
    switch (box) {
    case Box::txtDecR:
        return txtDecR;
    case Box::txtDecG:
        return txtDecG;
    case Box::txtDecB:
        return txtDecB;
    case Box::txtHexR:
        return txtHexR;
    case Box::txtHexG:
        return txtHexG;
    case Box::txtHexB:
        return txtHexB;
    case Box::txtDec:
        return txtDec;
    case Box::txtHex:
        break;
    }
    return txtHex;
}

QCheckBox* frmMain::CheckBoxOf(CheckBox checkBox) const
{
    return checkBox == CheckBox::chkWebSafe ? chkWebSafe : chkAlwaysOnTop;
}

} // namespace tintwell::ui
