#include "ui/frm_main.h"

#include "tests/support/qt_test.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QToolTip>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

// What the window offers around its controls, driven as a user would, on the
// real window offscreen: the clipboard, drops, the menu and the swatch.
class ColorCommandsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void copyWritesTheColorInEachNotation_data();
    void copyWritesTheColorInEachNotation();
    void pasteTakesANamedColorOrLeavesTheColorWithANotice_data();
    void pasteTakesANamedColorOrLeavesTheColorWithANotice();
    void dropAnywhereOnTheWindowSetsTheColor_data();
    void dropAnywhereOnTheWindowSetsTheColor();
    void menuOpensFromTheKeyboardWherever_data();
    void menuOpensFromTheKeyboardWherever();
    void swatchIsAButtonWhosePressStartsPicking();
    void takenColoursAreRecentAndComparedWith();

private:
    QLineEdit* Box(const char* name) const { return m_window->findChild<QLineEdit*>(QLatin1StringView(name)); }
    void SetColor(const QString& packed) const;

    std::unique_ptr<tintwell::ui::frmMain> m_window;
};

void ColorCommandsTest::init()
{
    m_window = std::make_unique<tintwell::ui::frmMain>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void ColorCommandsTest::cleanup()
{
    QToolTip::hideText();
    m_window.reset();
}

void ColorCommandsTest::SetColor(const QString& packed) const
{
    QLineEdit* dec = Box("txtDec");
    dec->selectAll();
    dec->insert(packed);
}

void ColorCommandsTest::copyWritesTheColorInEachNotation_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("copied");
    // Orange: red 255, green 128, blue 0.
    QTest::newRow("hex") << u"Copy #RRGGBB"_s << u"#FF8000"_s;
    QTest::newRow("rgb") << u"Copy rgb()"_s << u"rgb(255, 128, 0)"_s;
    QTest::newRow("hsl") << u"Copy hsl()"_s << u"hsl(30 100% 50%)"_s;
    QTest::newRow("oklch") << u"Copy oklch()"_s << u"oklch(0.732 0.1858 53)"_s;
    QTest::newRow("value") << u"Copy Colour Value"_s << u"33023"_s;
}

void ColorCommandsTest::copyWritesTheColorInEachNotation()
{
    QFETCH(QString, command);
    QFETCH(QString, copied);
    SetColor(u"33023"_s);
    QGuiApplication::clipboard()->clear();

    const QList<QAction*> actions = m_window->actions();
    const auto action = std::find_if(actions.begin(), actions.end(),
                                     [&](const QAction* a) { return a->text() == command; });
    QVERIFY(action != actions.end());
    (*action)->trigger();
    QTRY_COMPARE(QGuiApplication::clipboard()->text(), copied);

    // Ctrl+C in a box still copies the box's own text.
    QLineEdit* red = Box("txtDecR");
    red->setFocus();
    red->selectAll();
    QTest::keyClick(red, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"255"_s);
}

void ColorCommandsTest::pasteTakesANamedColorOrLeavesTheColorWithANotice_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("hex"); // txtHex afterwards, blue first
    QTest::addColumn<bool>("notice");
    QTest::newRow("#RGB") << u"#f80"_s << u"0088FF"_s << false;
    QTest::newRow("rgb() with blanks around") << u"  rgb(50%, 0%, 100%)\n"_s << u"FF0080"_s << false;
    QTest::newRow("name") << u"Teal"_s << u"808000"_s << false;
    QTest::newRow("hsl()") << u"hsl(120deg 100% 50%)"_s << u"00FF00"_s << false;
    QTest::newRow("oklch()") << u"oklch(0.628 0.2577 29.23)"_s << u"0000FF"_s << false;
    QTest::newRow("bare hex digits") << u"ff8000"_s << u"123456"_s << true;
    QTest::newRow("bare number") << u"16711680"_s << u"123456"_s << true;
}

void ColorCommandsTest::pasteTakesANamedColorOrLeavesTheColorWithANotice()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, hex);
    QFETCH(bool, notice);
    SetColor(u"1193046"_s); // 0x123456
    QGuiApplication::clipboard()->setText(clipboard);

    QTest::keyClick(Box("txtDecG"), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_COMPARE(Box("txtHex")->text(), hex);
    if (notice)
        QTRY_VERIFY(QToolTip::text().contains(u"clipboard holds no colour"_s));
}

void ColorCommandsTest::dropAnywhereOnTheWindowSetsTheColor_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hex");
    QTest::newRow("colour on the swatch") << u"shapeColorDemo"_s << QColor(1, 2, 3) << QString() << u"030201"_s;
    // A box would have inserted the text into itself.
    QTest::newRow("text on a box") << u"txtDecG"_s << QColor() << u"#00ff00"_s << u"00FF00"_s;
    QTest::newRow("no colour is refused") << u"Label4"_s << QColor() << u"hello"_s << u"000000"_s;
}

void ColorCommandsTest::dropAnywhereOnTheWindowSetsTheColor()
{
    QFETCH(QString, target);
    QFETCH(QColor, color);
    QFETCH(QString, text);
    QFETCH(QString, hex);
    QMimeData data;
    if (color.isValid())
        data.setColorData(color);
    if (!text.isNull())
        data.setText(text);

    auto* widget = m_window->findChild<QWidget*>(target);
    const QPoint at = widget->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(widget, &enter);
    QCOMPARE(enter.isAccepted(), hex != u"000000"_s);
    if (enter.isAccepted()) {
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(widget, &drop);
    }
    QCOMPARE(Box("txtHex")->text(), hex);
}

void ColorCommandsTest::menuOpensFromTheKeyboardWherever_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::newRow("menu key") << QKeyCombination(Qt::Key_Menu);
    QTest::newRow("Shift+F10") << QKeyCombination(Qt::ShiftModifier, Qt::Key_F10);
}

void ColorCommandsTest::menuOpensFromTheKeyboardWherever()
{
    QFETCH(QKeyCombination, key);
    QTest::keyClick(Box("txtDecR"), key.key(), key.keyboardModifiers());

    QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QStringList items;
    for (const QAction* action : menu->actions())
        items << action->text();
    QCOMPARE(items, (QStringList{u"Pick from Screen"_s,
                                 {},
                                 u"Copy #RRGGBB"_s,
                                 u"Copy rgb()"_s,
                                 u"Copy hsl()"_s,
                                 u"Copy oklch()"_s,
                                 u"Copy Colour Value"_s,
                                 {},
                                 u"Paste Colour"_s,
                                 u"Recent Colours"_s}));
    menu->close();
}

void ColorCommandsTest::swatchIsAButtonWhosePressStartsPicking()
{
    QAccessibleInterface* swatch =
        QAccessible::queryAccessibleInterface(m_window->findChild<QWidget*>(u"shapeColorDemo"_s));
    QCOMPARE(swatch->role(), QAccessible::Button);
    QCOMPARE(swatch->text(QAccessible::Name), u"Colour swatch"_s);
    QVERIFY(swatch->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));

    // Offscreen there is no screen to read, so the pick ends at once with a
    // notice, which shows that the press started it.
    swatch->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(QToolTip::text().contains(u"not possible on this display"_s));
    QCOMPARE(Box("txtHex")->text(), u"000000"_s);
}

void ColorCommandsTest::takenColoursAreRecentAndComparedWith()
{
    auto* swatch = m_window->findChild<QWidget*>(u"shapeColorDemo"_s);
    const auto paste = [this](const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(Box("txtDecG"), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    };
    QCOMPARE(swatch->accessibleDescription(), u"black\n21.0 : 1 on white (AAA), 1.0 : 1 on black (fails)"_s);
    paste(u"#767676"_s);
    QTRY_COMPARE(Box("txtHex")->text(), u"767676"_s);
    paste(u"white"_s);
    QTRY_COMPARE(Box("txtHex")->text(), u"FFFFFF"_s);
    // Typed, not taken: compared with the newest taken, but not listed.
    SetColor(u"255"_s);
    QCOMPARE(swatch->accessibleDescription(),
             u"red\n4.0 : 1 on white (AA Large), 5.3 : 1 on black (AA), 4.0 : 1 against #FFFFFF, the colour before "
             "(AA Large)"_s);

    QTest::keyClick(Box("txtDecR"), Qt::Key_Menu);
    QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QMenu* recent = menu->actions().constLast()->menu();
    QVERIFY(recent->isEnabled());
    Q_EMIT recent->aboutToShow();
    QStringList entries;
    for (const QAction* entry : recent->actions())
        entries << entry->text();
    QCOMPARE(entries, (QStringList{u"#FFFFFF  white"_s, u"#767676  ≈ gray"_s}));
    recent->actions().constLast()->trigger();
    menu->close();
    QTRY_COMPARE(Box("txtHex")->text(), u"767676"_s);
    QVERIFY(swatch->accessibleDescription().endsWith(u"4.5 : 1 against #FFFFFF, the colour before (AA)"_s));
}

QTEST_MAIN(ColorCommandsTest)
#include "color_commands_test.moc"
