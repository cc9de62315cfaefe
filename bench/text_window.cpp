// The bare window plus one short caption: the floor for any window that
// shows text, which pays for starting the font system (fontconfig) and
// shaping its first glyphs.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tintwell"));
    window.setFixedSize(203, 624);
    QLabel caption(QStringLiteral("Red"), &window);
    caption.move(16, 16);
    window.show();
    return QApplication::exec();
}
