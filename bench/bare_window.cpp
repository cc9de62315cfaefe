// The floor for start-up time and memory: a bare Qt window of Tintwell's
// size, with nothing in it. Nothing Tintwell does can start faster.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tintwell"));
    window.setFixedSize(203, 624);
    window.show();
    return QApplication::exec();
}
