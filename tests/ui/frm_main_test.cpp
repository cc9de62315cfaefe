#include "ui/frm_main.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QRect FromTwips(int left, int top, int width, int height)
{
    const auto px = [](int twips) { return qRound(twips / 15.0); };
    return {px(left), px(top), px(width), px(height)};
}

// Where a user would aim on a slider, in its own coordinates.
QRect ThumbRect(const QScrollBar& bar)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar);
}

} // namespace

class FrmMainTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void controlsSitWhereTheLayoutPutsThem_data();
    void controlsSitWhereTheLayoutPutsThem();
    void windowIsFixedAndCaptioned();
    void everyCaptionFitsItsControl();
    void checkBoxSquaresAreDrawnWhole_data();
    void checkBoxSquaresAreDrawnWhole();
    void startsBlackWithEveryBoxAtZero();
    void tabVisitsTheControlsInOrder();
    void everyReachableControlHasAnAccessibleName_data();
    void everyReachableControlHasAnAccessibleName();

    void sliderActionsRaiseOrLowerTheChannel_data();
    void sliderActionsRaiseOrLowerTheChannel();
    void draggingTheThumbUpShowsEveryPosition();
    void screenReaderReadsTheChannelAsTheSliderValue();

    void pastedTextIsCorrectedAndBecomesTheColor_data();
    void pastedTextIsCorrectedAndBecomesTheColor();
    void pastedNumberUsesTheLocalesDecimalSeparator_data();
    void pastedNumberUsesTheLocalesDecimalSeparator();
    void caretStaysUsableWhileTheBoxIsRewritten();
    void typingInTheMiddleKeepsTheCaret();
    void typingIntoAHexBoxPutsItsTextBack();
    void typingIntoTheCombinedHexBoxIsLeftAsTyped();

    void webSafeSnapsTheColorAndStepsArrowsBy51();
    void webSafeFollowsAnAssistiveToggle();
    void uncheckingWebSafeRestoresFineSteps();
    void roundToWebSafeMessageIsAModalOkBox();

private:
    template <typename T>
    T* Find(const char* name) const
    {
        auto* widget = m_window->findChild<T*>(QLatin1StringView(name));
        if (widget == nullptr)
            qFatal("no control named %s", name);
        return widget;
    }
    void Paste(const char* box, const QString& text) const;
    void ClickOn(QWidget* widget, QPoint at) const;
    QString TextOf(const char* box) const { return Find<QLineEdit>(box)->text(); }
    int ValueOf(const char* slider) const { return Find<QScrollBar>(slider)->value(); }

    std::unique_ptr<tintwell::ui::frmMain> m_window;
};

void FrmMainTest::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    m_window = std::make_unique<tintwell::ui::frmMain>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void FrmMainTest::cleanup()
{
    m_window.reset();
}

void FrmMainTest::Paste(const char* box, const QString& text) const
{
    auto* edit = Find<QLineEdit>(box);
    edit->setFocus();
    edit->selectAll();
    edit->insert(text);
}

void FrmMainTest::ClickOn(QWidget* widget, QPoint at) const
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

void FrmMainTest::controlsSitWhereTheLayoutPutsThem_data()
{
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("visible");

    const auto row = [](const char* name, const char* parent, QRect twips, const QString& caption,
                        bool visible = true) {
        QTest::newRow(name) << QString::fromLatin1(parent) << twips << caption << visible;
    };
    row("chkAlwaysOnTop", "frmMain", {840, 120, 1455, 255}, u"Always on Top"_s);
    row("shapeColorDemo", "frmMain", {240, 600, 2535, 1695}, {});
    row("Frame1", "frmMain", {240, 2520, 2535, 6615}, u"Controls"_s);
    row("Label1", "Frame1", {240, 360, 750, 255}, u"Red"_s);
    row("Label2", "Frame1", {840, 360, 750, 255}, u"Green"_s);
    row("Label3", "Frame1", {1440, 360, 750, 255}, u"Blue"_s);
    row("ScrollR", "Frame1", {480, 720, 300, 2000}, {});
    row("ScrollG", "Frame1", {1080, 720, 300, 2000}, {});
    row("ScrollB", "Frame1", {1680, 720, 300, 2000}, {});
    row("Check1", "Frame1", {480, 2900, 195, 195}, u"Check1"_s, false);
    row("Check2", "Frame1", {1080, 2900, 195, 195}, u"Check2"_s, false);
    row("Check3", "Frame1", {1680, 2900, 195, 195}, u"Check3"_s, false);
    row("Label6", "Frame1", {120, 3200, 2295, 255}, u"------------ TIE ------------    "_s, false);
    row("txtDecR", "Frame1", {360, 3720, 500, 300}, u"0"_s);
    row("txtDecG", "Frame1", {960, 3720, 500, 300}, u"0"_s);
    row("txtDecB", "Frame1", {1560, 3720, 500, 300}, u"0"_s);
    row("txtHexR", "Frame1", {360, 4080, 500, 300}, u"00"_s);
    row("txtHexG", "Frame1", {960, 4080, 500, 300}, u"00"_s);
    row("txtHexB", "Frame1", {1560, 4080, 500, 300}, u"00"_s);
    row("Line1", "Frame1", {240, 4680, 2040, 0}, {});
    row("Label4", "Frame1", {240, 4965, 750, 255}, u"Dec"_s);
    row("txtDec", "Frame1", {960, 4920, 1095, 300}, u"0"_s);
    row("Label5", "Frame1", {240, 5325, 750, 255}, u"Hex"_s);
    row("txtHex", "Frame1", {960, 5280, 1095, 300}, u"000000"_s);
    row("Line2", "Frame1", {240, 5880, 2040, 0}, {});
    row("chkWebSafe", "Frame1", {720, 6120, 1095, 195}, u"Web Safe"_s);
}

void FrmMainTest::controlsSitWhereTheLayoutPutsThem()
{
    QFETCH(QString, parentName);
    QFETCH(QRect, twips);
    QFETCH(QString, caption);
    QFETCH(bool, visible);

    auto* control = Find<QWidget>(QTest::currentDataTag());
    QCOMPARE(control->parentWidget()->objectName(), parentName);
    const QRect expected = FromTwips(twips.x(), twips.y(), twips.width(), twips.height());
    if (twips.height() == 0) { // a rule: one pixel high, from its left end to its right
        QCOMPARE(control->geometry().topLeft(), expected.topLeft());
        QCOMPARE(control->width(), expected.width());
        QCOMPARE(control->height(), 1);
    } else {
        QCOMPARE(control->geometry(), expected);
    }
    QCOMPARE(control->isVisible(), visible);

    QString shown;
    if (auto* box = qobject_cast<QCheckBox*>(control))
        shown = box->text();
    else if (auto* label = qobject_cast<QLabel*>(control))
        shown = label->text();
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        shown = edit->text();
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        shown = group->title();
    QCOMPARE(shown, caption);
}

void FrmMainTest::checkBoxSquaresAreDrawnWhole_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("Web Safe") << u"chkWebSafe"_s;
    QTest::newRow("Always on Top") << u"chkAlwaysOnTop"_s;
}

void FrmMainTest::checkBoxSquaresAreDrawnWhole()
{
    QFETCH(QString, box);
    auto* check = m_window->findChild<QCheckBox*>(box);
    QStyleOptionButton option;
    option.initFrom(check);
    option.text = check->text();
    const auto rect = [&](const QStyle* style, QStyle::SubElement element) {
        return style->subElementRect(element, &option, check);
    };
    QVERIFY(check->rect().contains(rect(check->style(), QStyle::SE_CheckBoxIndicator)));
    // The caption stays where the application's style puts it.
    QCOMPARE(rect(check->style(), QStyle::SE_CheckBoxContents),
             rect(QApplication::style(), QStyle::SE_CheckBoxContents));
}

void FrmMainTest::windowIsFixedAndCaptioned()
{
    QCOMPARE(m_window->windowTitle(), u"Tintwell"_s);
    QCOMPARE(m_window->size(), QSize(203, 624));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
}

void FrmMainTest::everyCaptionFitsItsControl()
{
    const QStyle* style = m_window->style();
    const int indicator = style->pixelMetric(QStyle::PM_IndicatorWidth) +
                          style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    const int editFrame = 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth) + 4;

    struct Room {
        const char* name;
        QString text;
        int spare; // what the control itself takes from its width
    };
    const QList<Room> rooms{
        {"chkAlwaysOnTop", u"Always on Top"_s, indicator},
        {"chkWebSafe", u"Web Safe"_s, indicator},
        {"Frame1", u"Controls"_s, 16},
        {"Label1", u"Red"_s, 0},
        {"Label2", u"Green"_s, 0},
        {"Label3", u"Blue"_s, 0},
        {"Label4", u"Dec"_s, 0},
        {"Label5", u"Hex"_s, 0},
        {"txtDecG", u"255"_s, editFrame},
        {"txtHexG", u"FF"_s, editFrame},
        {"txtDec", u"16777215"_s, editFrame},
        {"txtHex", u"FFFFFF"_s, editFrame},
    };
    for (const Room& room : rooms) {
        auto* control = Find<QWidget>(room.name);
        const QFontMetrics metrics(control->font());
        QVERIFY2(metrics.horizontalAdvance(room.text) <= control->width() - room.spare, room.name);
        QVERIFY2(metrics.height() <= control->height(), room.name);
    }
    QVERIFY(QFontInfo(m_window->font()).pixelSize() >= 9);
}

void FrmMainTest::startsBlackWithEveryBoxAtZero()
{
    for (const char* slider : {"ScrollR", "ScrollG", "ScrollB"})
        QCOMPARE(ValueOf(slider), 0);
    QCOMPARE(Find<QWidget>("shapeColorDemo")->palette().color(QPalette::Window), QColor(Qt::black));
    QVERIFY(!Find<QCheckBox>("chkWebSafe")->isChecked());
    QVERIFY(!Find<QCheckBox>("chkAlwaysOnTop")->isChecked());
    QCOMPARE(QApplication::focusWidget(), Find<QLineEdit>("txtDecR"));
}

void FrmMainTest::tabVisitsTheControlsInOrder()
{
    const QStringList expected{u"txtDecG"_s,    u"txtDecB"_s,        u"txtDec"_s,  u"ScrollR"_s, u"ScrollG"_s,
                               u"ScrollB"_s,    u"txtHex"_s,         u"txtHexB"_s, u"txtHexG"_s, u"txtHexR"_s,
                               u"chkWebSafe"_s, u"chkAlwaysOnTop"_s, u"txtDecR"_s};
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void FrmMainTest::everyReachableControlHasAnAccessibleName_data()
{
    QTest::addColumn<QString>("name");
    const QList<std::pair<const char*, QString>> names{
        {"ScrollR", u"Red"_s},
        {"ScrollG", u"Green"_s},
        {"ScrollB", u"Blue"_s},
        {"txtDecR", u"Red decimal"_s},
        {"txtDecG", u"Green decimal"_s},
        {"txtDecB", u"Blue decimal"_s},
        {"txtHexR", u"Red hexadecimal"_s},
        {"txtHexG", u"Green hexadecimal"_s},
        {"txtHexB", u"Blue hexadecimal"_s},
        {"txtDec", u"Colour decimal"_s},
        {"txtHex", u"Colour hexadecimal"_s},
        {"shapeColorDemo", u"Colour swatch"_s},
        {"chkWebSafe", u"Web Safe"_s},
        {"chkAlwaysOnTop", u"Always on Top"_s},
    };
    for (const auto& [control, name] : names)
        QTest::newRow(control) << name;
}

void FrmMainTest::everyReachableControlHasAnAccessibleName()
{
    QFETCH(QString, name);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Find<QWidget>(QTest::currentDataTag()));
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->text(QAccessible::Name), name);
}

void FrmMainTest::sliderActionsRaiseOrLowerTheChannel_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("expected");
    QTest::newRow("top arrow") << u"top arrow"_s << 101;
    QTest::newRow("bottom arrow") << u"bottom arrow"_s << 99;
    QTest::newRow("trough above the thumb") << u"trough above"_s << 110;
    QTest::newRow("trough below the thumb") << u"trough below"_s << 90;
    QTest::newRow("Up") << u"Up"_s << 101;
    QTest::newRow("Down") << u"Down"_s << 99;
    QTest::newRow("Page Up") << u"PageUp"_s << 110;
    QTest::newRow("Page Down") << u"PageDown"_s << 90;
    QTest::newRow("wheel up") << u"wheel up"_s << 103;
    QTest::newRow("wheel down") << u"wheel down"_s << 97;
}

void FrmMainTest::sliderActionsRaiseOrLowerTheChannel()
{
    QFETCH(QString, action);
    QFETCH(int, expected);
    Paste("txtDecG", u"100"_s);
    auto* bar = Find<QScrollBar>("ScrollG");
    QCOMPARE(bar->value(), 100);
    const int middle = bar->width() / 2;
    const QRect thumb = ThumbRect(*bar);

    if (action == u"top arrow")
        ClickOn(bar, {middle, 3});
    else if (action == u"bottom arrow")
        ClickOn(bar, {middle, bar->height() - 3});
    else if (action == u"trough above")
        ClickOn(bar, {middle, thumb.top() - 3});
    else if (action == u"trough below")
        ClickOn(bar, {middle, thumb.bottom() + 3});
    else if (action.startsWith(u"wheel")) {
        const int delta = action.endsWith(u"up") ? QWheelEvent::DefaultDeltasPerStep
                                                 : -QWheelEvent::DefaultDeltasPerStep;
        QWheelEvent wheel(QPointF(middle, 50), bar->mapToGlobal(QPointF(middle, 50)), {}, {0, delta}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &wheel);
    } else {
        bar->setFocus();
        const Qt::Key key = action == u"Up"       ? Qt::Key_Up
                            : action == u"Down"   ? Qt::Key_Down
                            : action == u"PageUp" ? Qt::Key_PageUp
                                                  : Qt::Key_PageDown;
        QTest::keyClick(bar, key);
    }

    QCOMPARE(bar->value(), expected);
    QCOMPARE(TextOf("txtDecG"), QString::number(expected));
    QCOMPARE(m_window->Channels().lMasterG, expected);
}

void FrmMainTest::draggingTheThumbUpShowsEveryPosition()
{
    auto* bar = Find<QScrollBar>("ScrollG");
    QList<int> shown;
    connect(Find<QLineEdit>("txtDecG"), &QLineEdit::textChanged, this,
            [&shown](const QString& text) { shown << text.toInt(); });

    QPoint at = ThumbRect(*bar).center();
    QTest::mousePress(bar, Qt::LeftButton, {}, at);
    for (int step = 0; step < 40; ++step) {
        at.ry() -= 2;
        QTest::mouseMove(bar, at);
        QCOMPARE(TextOf("txtDecG"), QString::number(bar->sliderPosition()));
    }
    QTest::mouseRelease(bar, Qt::LeftButton, {}, at);

    QVERIFY(shown.size() > 10);
    QVERIFY(std::is_sorted(shown.begin(), shown.end()));
    QCOMPARE(m_window->Channels().lMasterG, bar->value());
    QCOMPARE(shown.last(), bar->value());
    QVERIFY(bar->value() > 50);
}

void FrmMainTest::screenReaderReadsTheChannelAsTheSliderValue()
{
    Paste("txtDecB", u"200"_s);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Find<QScrollBar>("ScrollB"));
    QAccessibleValueInterface* value = accessible->valueInterface();
    QVERIFY(value != nullptr);
    QCOMPARE(value->currentValue().toInt(), 200);
    QCOMPARE(value->minimumValue().toInt(), 0);
    QCOMPARE(value->maximumValue().toInt(), 255);
    value->setCurrentValue(17);
    QCOMPARE(TextOf("txtDecB"), u"17"_s);
}

void FrmMainTest::pastedTextIsCorrectedAndBecomesTheColor_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("hex");

    QTest::newRow("letters") << u"txtDecG"_s << u"abc"_s << u"0"_s << u"000000"_s;
    QTest::newRow("empty") << u"txtDecR"_s << QString() << u"0"_s << u"000000"_s;
    QTest::newRow("over 255") << u"txtDecB"_s << u"300"_s << u"255"_s << u"FF0000"_s;
    QTest::newRow("negative") << u"txtDecB"_s << u"-5"_s << u"0"_s << u"000000"_s;
    QTest::newRow("255 exactly") << u"txtDecB"_s << u"255"_s << u"255"_s << u"FF0000"_s;
    QTest::newRow("fraction, half to even") << u"txtDecR"_s << u"12.5"_s << u"12"_s << u"00000C"_s;
    QTest::newRow("exponent") << u"txtDecR"_s << u"1e2"_s << u"100"_s << u"000064"_s;
    QTest::newRow("too large for a double") << u"txtDecG"_s << u"1e999"_s << u"255"_s << u"00FF00"_s;
    QTest::newRow("inf") << u"txtDecG"_s << u"inf"_s << u"0"_s << u"000000"_s;
    QTest::newRow("nan") << u"txtDecG"_s << u"nan"_s << u"0"_s << u"000000"_s;
    QTest::newRow("long digit string") << u"txtDecR"_s << QString(4000, u'9') << u"255"_s << u"0000FF"_s;
    QTest::newRow("colour: green") << u"txtDec"_s << u"65280"_s << u"65280"_s << u"00FF00"_s;
    QTest::newRow("colour: over white") << u"txtDec"_s << u"16777216"_s << u"16777215"_s << u"FFFFFF"_s;
    QTest::newRow("colour: negative") << u"txtDec"_s << u"-1"_s << u"0"_s << u"000000"_s;
}

void FrmMainTest::pastedTextIsCorrectedAndBecomesTheColor()
{
    QFETCH(QString, box);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    QFETCH(QString, hex);
    Paste(box.toLatin1().constData(), pasted);
    QCOMPARE(TextOf(box.toLatin1().constData()), shown);
    QCOMPARE(TextOf("txtHex"), hex);

    const int color = hex.toInt(nullptr, 16);
    QCOMPARE(ValueOf("ScrollR"), color & 0xFF);
    QCOMPARE(ValueOf("ScrollG"), (color >> 8) & 0xFF);
    QCOMPARE(ValueOf("ScrollB"), color >> 16);
    const QColor swatch = Find<QWidget>("shapeColorDemo")->palette().color(QPalette::Window);
    QCOMPARE(swatch, QColor(color & 0xFF, (color >> 8) & 0xFF, color >> 16));
}

void FrmMainTest::pastedNumberUsesTheLocalesDecimalSeparator_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("German comma") << german << u"1,5"_s << u"2"_s;
    QTest::newRow("German point") << german << u"1.5"_s << u"0"_s;
    QTest::newRow("English comma") << english << u"1,5"_s << u"0"_s;
    QTest::newRow("English point") << english << u"2.5"_s << u"2"_s;
}

void FrmMainTest::pastedNumberUsesTheLocalesDecimalSeparator()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    QLocale::setDefault(locale);
    m_window = std::make_unique<tintwell::ui::frmMain>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    Paste("txtDecR", pasted);
    QCOMPARE(TextOf("txtDecR"), shown);
}

void FrmMainTest::caretStaysUsableWhileTheBoxIsRewritten()
{
    auto* edit = Find<QLineEdit>("txtDecR");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, u"128"_s);
    QCOMPARE(edit->text(), u"128"_s);
    QCOMPARE(ValueOf("ScrollR"), 128);

    for (int i = 0; i < 3; ++i)
        QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), u"0"_s); // emptied, and corrected at once
    QTest::keyClicks(edit, u"75"_s);
    QCOMPARE(edit->text(), u"75"_s);
    QCOMPARE(ValueOf("ScrollR"), 75);
}

void FrmMainTest::typingInTheMiddleKeepsTheCaret()
{
    auto* edit = Find<QLineEdit>("txtDecG");
    Paste("txtDecG", u"25"_s);
    edit->setCursorPosition(1);
    QTest::keyClick(edit, Qt::Key_0);
    QCOMPARE(edit->text(), u"205"_s);
    QCOMPARE(edit->cursorPosition(), 2);

    // A leading zero typed in front is dropped by the refresh; the caret
    // stays before the digits it stood before.
    edit->setCursorPosition(0);
    QTest::keyClick(edit, Qt::Key_0);
    QCOMPARE(edit->text(), u"205"_s);
    QCOMPARE(edit->cursorPosition(), 0);
    QCOMPARE(ValueOf("ScrollG"), 205);
}

void FrmMainTest::typingIntoAHexBoxPutsItsTextBack()
{
    Paste("txtDec", u"197121"_s);
    for (const char* box : {"txtHexR", "txtHexG", "txtHexB"}) {
        auto* edit = Find<QLineEdit>(box);
        const QString before = edit->text();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Z);
        QCOMPARE(edit->text(), before);
    }
    QCOMPARE(TextOf("txtDec"), u"197121"_s);
}

void FrmMainTest::typingIntoTheCombinedHexBoxIsLeftAsTyped()
{
    Paste("txtHex", u"ABCDEF"_s);
    QCOMPARE(TextOf("txtHex"), u"ABCDEF"_s);
    QCOMPARE(TextOf("txtDec"), u"0"_s);
    Paste("txtDecR", u"1"_s);
    QCOMPARE(TextOf("txtHex"), u"000001"_s);
}

void FrmMainTest::webSafeSnapsTheColorAndStepsArrowsBy51()
{
    Paste("txtDecR", u"100"_s);
    Paste("txtDecG", u"200"_s);
    Paste("txtDecB", u"30"_s);
    auto* check = Find<QCheckBox>("chkWebSafe");
    ClickOn(check, {5, check->height() / 2});
    QVERIFY(check->isChecked());
    QCOMPARE(ValueOf("ScrollR"), 102);
    QCOMPARE(ValueOf("ScrollG"), 204);
    QCOMPARE(ValueOf("ScrollB"), 51);
    QCOMPARE(TextOf("txtHex"), u"33CC66"_s);

    auto* bar = Find<QScrollBar>("ScrollG");
    QCOMPARE(bar->singleStep(), 51);
    Paste("txtDecG", u"153"_s);
    ClickOn(bar, {bar->width() / 2, 3});
    QCOMPARE(bar->value(), 204);
    ClickOn(bar, {bar->width() / 2, bar->height() - 3});
    ClickOn(bar, {bar->width() / 2, bar->height() - 3});
    QCOMPARE(bar->value(), 102);
    Paste("txtDecG", u"255"_s);
    ClickOn(bar, {bar->width() / 2, 3});
    QCOMPARE(bar->value(), 255);
}

void FrmMainTest::webSafeFollowsAnAssistiveToggle()
{
    Paste("txtDecR", u"100"_s);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Find<QCheckBox>("chkWebSafe"));
    accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(Find<QCheckBox>("chkWebSafe")->isChecked());
    QCOMPARE(ValueOf("ScrollR"), 102);
    QCOMPARE(Find<QScrollBar>("ScrollR")->singleStep(), 51);
}

void FrmMainTest::uncheckingWebSafeRestoresFineSteps()
{
    auto* check = Find<QCheckBox>("chkWebSafe");
    Paste("txtDecB", u"130"_s);
    check->click();
    check->click();
    QVERIFY(!check->isChecked());
    QCOMPARE(ValueOf("ScrollB"), 153);
    for (const char* slider : {"ScrollR", "ScrollG", "ScrollB"})
        QCOMPARE(Find<QScrollBar>(slider)->singleStep(), 1);
}

void FrmMainTest::roundToWebSafeMessageIsAModalOkBox()
{
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    bool modal = false;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        title = box->windowTitle();
        text = box->text();
        buttons = box->standardButtons();
        modal = box->isModal();
        box->button(QMessageBox::Ok)->click();
    });
    static_cast<tintwell::OkMessageBox&>(*m_window).Show(u"RoundToWebSafe()", u"CASE ELSE");
    QCOMPARE(title, u"CASE ELSE"_s);
    QCOMPARE(text, u"RoundToWebSafe()"_s);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(modal);
}

QTEST_MAIN(FrmMainTest)
#include "frm_main_test.moc"
