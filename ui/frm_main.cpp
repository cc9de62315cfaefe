#include "ui/frm_main.h"

#include "core/run_time_error.h"
#include "core/web_safe_mode.h"
#include "platform/session_end.h"
#include "platform/window/always_on_top.h"
#include "ui/caption_fit.h"
#include "ui/color_commands.h"
#include "ui/color_swatch.h"
#include "ui/error_report.h"
#include "ui/fitted_check_box_style.h"
#include "ui/twips.h"
#include "ui/upward_scroll_bar_style.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QDropEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
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

namespace {

constexpr int kPageStep = 10;
// The layout was drawn for an 8-point dialog font: 11 pixels at 96 dpi.
constexpr int kLayoutFontPixelSize = 11;

QLatin1StringView Latin1(std::string_view name)
{
    return QLatin1StringView(name.data(), static_cast<qsizetype>(name.size()));
}

// The object name the colour model knows a control by.
QLatin1StringView NameOf(auto control)
{
    return Latin1(ControlName(control));
}

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
    auto* line = Place(new QFrame(parent), name, RectFromTwips(left, top, right - left, 0));
    line->setFrameStyle(QFrame::HLine | QFrame::Plain);
    line->setFixedHeight(1);
    return line;
}

} // namespace

frmMain::frmMain(QWidget* parent) : QWidget(parent), m_inputs(m_state, *this, QLocale().decimalPoint().toStdU16String())
{
    setObjectName("frmMain"_L1);
    setWindowTitle(u"Tintwell"_s);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(RectFromTwips(0, 0, 3045, 9360).size());
    // Set before the controls measure their captions, so no other size is
    // ever loaded unless it has to shrink.
    setFont(CappedFont(font(), kLayoutFontPixelSize));

    CreateControls();
    FitFont();
    SetTabOrder();
    WireEvents();
    txtDecR->setFocus();
    m_commands = new ColorCommands(*this, *shapeColorDemo, m_state);
    setAcceptDrops(true);

    RunHandler(this, [this] { Form_Load(); });
    m_sessionEnd = new platform::SessionEnd(*this, [this] { Form_Unload(); });
}

void frmMain::CreateControls()
{
    chkAlwaysOnTop = Place(new QCheckBox(u"Always on Top"_s, this), NameOf(CheckBox::chkAlwaysOnTop),
                           RectFromTwips(840, 120, 1455, 255));
    m_checkBoxes[Index(CheckBox::chkAlwaysOnTop)] = chkAlwaysOnTop;
    if (!platform::modAlwaysOnTop::IsSupported())
        chkAlwaysOnTop->setToolTip(tr("This desktop (Wayland) lets no program keep its window above others."));

    shapeColorDemo = Place(new ColorSwatch(this), Latin1(kSwatchName), RectFromTwips(240, 600, 2535, 1695));
    shapeColorDemo->setAccessibleName(tr("Colour swatch"));

    Frame1 = Place(new QGroupBox(u"Controls"_s, this), "Frame1"_L1, RectFromTwips(240, 2520, 2535, 6615));

    Label1 = MakeLabel(Frame1, "Label1"_L1, u"Red"_s, RectFromTwips(240, 360, 750, 255));
    Label2 = MakeLabel(Frame1, "Label2"_L1, u"Green"_s, RectFromTwips(840, 360, 750, 255));
    Label3 = MakeLabel(Frame1, "Label3"_L1, u"Blue"_s, RectFromTwips(1440, 360, 750, 255));

    // Maximum at the top, so the thumb rises with the channel; the style
    // makes the top arrow and the trough above the thumb raise it too.
    auto* upward = new UpwardScrollBarStyle(this);
    const auto makeSlider = [&](Slider which, int left, const QString& accessibleName) {
        auto* slider = Place(new QScrollBar(Qt::Vertical, Frame1), NameOf(which), RectFromTwips(left, 720, 300, 2000));
        m_scrollBars[Index(which)] = slider;
        slider->setStyle(upward);
        slider->setRange(0, kMaxChannel);
        slider->setInvertedAppearance(true);
        slider->setInvertedControls(false); // Up, Page Up and the wheel turned up raise it
        slider->setSingleStep(kFineStep);
        slider->setPageStep(kPageStep);
        slider->setFocusPolicy(Qt::StrongFocus);
        slider->setAccessibleName(accessibleName);
        return slider;
    };
    ScrollR = makeSlider(Slider::ScrollR, 480, tr("Red"));
    ScrollG = makeSlider(Slider::ScrollG, 1080, tr("Green"));
    ScrollB = makeSlider(Slider::ScrollB, 1680, tr("Blue"));

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

    const auto makeBox = [&](Box which, QRect geometry, const QString& accessibleName) {
        auto* box = MakeBox(Frame1, NameOf(which), geometry);
        box->setAccessibleName(accessibleName);
        m_lineEdits[Index(which)] = box;
        return box;
    };
    txtDecR = makeBox(Box::txtDecR, RectFromTwips(360, 3720, 500, 300), tr("Red decimal"));
    txtDecG = makeBox(Box::txtDecG, RectFromTwips(960, 3720, 500, 300), tr("Green decimal"));
    txtDecB = makeBox(Box::txtDecB, RectFromTwips(1560, 3720, 500, 300), tr("Blue decimal"));
    txtHexR = makeBox(Box::txtHexR, RectFromTwips(360, 4080, 500, 300), tr("Red hexadecimal"));
    txtHexG = makeBox(Box::txtHexG, RectFromTwips(960, 4080, 500, 300), tr("Green hexadecimal"));
    txtHexB = makeBox(Box::txtHexB, RectFromTwips(1560, 4080, 500, 300), tr("Blue hexadecimal"));

    Line1 = MakeLine(Frame1, "Line1"_L1, 240, 4680, 2280);
    Label4 = MakeLabel(Frame1, "Label4"_L1, u"Dec"_s, RectFromTwips(240, 4965, 750, 255));
    txtDec = makeBox(Box::txtDec, RectFromTwips(960, 4920, 1095, 300), tr("Colour decimal"));
    Label5 = MakeLabel(Frame1, "Label5"_L1, u"Hex"_s, RectFromTwips(240, 5325, 750, 255));
    txtHex = makeBox(Box::txtHex, RectFromTwips(960, 5280, 1095, 300), tr("Colour hexadecimal"));
    Line2 = MakeLine(Frame1, "Line2"_L1, 240, 5880, 2280);

    chkWebSafe = Place(new QCheckBox(u"Web Safe"_s, Frame1), NameOf(CheckBox::chkWebSafe),
                       RectFromTwips(720, 6120, 1095, 195));
    m_checkBoxes[Index(CheckBox::chkWebSafe)] = chkWebSafe;
    // Thirteen pixels tall, shorter than most styles' square.
    chkWebSafe->setStyle(new FittedCheckBoxStyle(this));
}

void frmMain::FitFont()
{
    const QList<Caption> captions{
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
    setFont(ShrunkToFit(font(), captions));
}

void frmMain::SetTabOrder()
{
    const QList<QWidget*> order{txtDecR, txtDecG, txtDecB, txtDec,     ScrollR,        ScrollG, ScrollB, txtHex,
                                txtHexB, txtHexG, txtHexR, chkWebSafe, chkAlwaysOnTop, Check1,  Check2,  Check3};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

template <typename Sender, typename Signal>
void frmMain::Wire(Sender* sender, Signal signal, void (frmMain::*handler)())
{
    connect(sender, signal, this, [this, handler] { RunHandler(this, [this, handler] { (this->*handler)(); }); });
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
    RunHandler(this, [this] { Form_Unload(); });
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
    // Queued, so that the bus and the desktop never hold up the first paint.
    if (!std::exchange(m_painted, true))
        QMetaObject::invokeMethod(m_commands, &ColorCommands::JoinDesktop, Qt::QueuedConnection);
}

void frmMain::Form_Load()
{
    m_placement.Restore(*this);
    m_state.SetColor({0, 0, 0});
}

void frmMain::Form_Unload()
{
    m_placement.Save(*this);
}

// clang-format off
void frmMain::ScrollR_Change() { m_inputs.SliderChanged(Slider::ScrollR); }
void frmMain::ScrollG_Change() { m_inputs.SliderChanged(Slider::ScrollG); }
void frmMain::ScrollB_Change() { m_inputs.SliderChanged(Slider::ScrollB); }
void frmMain::ScrollR_Scroll() { m_inputs.SliderChanged(Slider::ScrollR); }
void frmMain::ScrollG_Scroll() { m_inputs.SliderChanged(Slider::ScrollG); }
void frmMain::ScrollB_Scroll() { m_inputs.SliderChanged(Slider::ScrollB); }
void frmMain::txtDecR_Change() { m_inputs.ChannelTextChanged(Channel::Red); }
void frmMain::txtDecG_Change() { m_inputs.ChannelTextChanged(Channel::Green); }
void frmMain::txtDecB_Change() { m_inputs.ChannelTextChanged(Channel::Blue); }
void frmMain::txtDec_Change() { m_inputs.ColorTextChanged(); }
void frmMain::txtHexR_Change() { m_inputs.HexTextChanged(); }
void frmMain::txtHexG_Change() { m_inputs.HexTextChanged(); }
void frmMain::txtHexB_Change() { m_inputs.HexTextChanged(); }
void frmMain::chkWebSafe_Click() { WebSafeClicked(*this, *this); }
// clang-format on

void frmMain::chkAlwaysOnTop_Click()
{
    // Keeping above others is a courtesy the desktop may refuse; the box
    // keeps what the user gave it either way.
    if (Value(CheckBox::chkAlwaysOnTop) == 1)
        platform::modAlwaysOnTop::MakeTopMost(*this);
    else
        platform::modAlwaysOnTop::MakeNotTopMost(*this);
}

std::int16_t frmMain::Value(Slider slider) const
{
    // The thumb's position: while it is dragged this runs ahead of value().
    return static_cast<std::int16_t>(m_scrollBars[Index(slider)]->sliderPosition());
}

void frmMain::SetValue(Slider slider, std::int16_t value)
{
    QScrollBar* bar = m_scrollBars[Index(slider)];
    if (value < bar->minimum() || value > bar->maximum())
        throw RunTimeError(ErrorKind::ControlFailure,
                           "invalid value " + std::to_string(value) + " for " + std::string(ControlName(slider)));
    bar->setValue(value);
}

void frmMain::SetSmallChange(Slider slider, std::int16_t step)
{
    m_scrollBars[Index(slider)]->setSingleStep(step);
}

std::u16string frmMain::Text(Box box) const
{
    return m_lineEdits[Index(box)]->text().toStdU16String();
}

void frmMain::SetText(Box box, const std::u16string& text)
{
    QLineEdit* edit = m_lineEdits[Index(box)];
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
    return m_checkBoxes[Index(checkBox)]->isChecked() ? 1 : 0;
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

} // namespace tintwell::ui
