// A window in which every device pixel's colour says where it is in the
// window: at (x, y) red is x & 255, green is y & 255 and blue
// 0x80 | (x >> 8) << 3 | (y >> 8) (x below 4096, y below 2048). Drawn at the
// window's own device pixel ratio, so on a scale-2 output each pixel of it is
// one of the screen's: a pick one physical pixel off, or scaled wrongly,
// reads a colour that gives the mistake away. A Wayland client, unlike the
// xcb pixel_chart, since XWayland would scale it up. Given a colour, it is
// one plain window of that colour instead, of exactly the size the
// compositor gives it (a terminal would keep to whole character cells).
// With --full-screen it asks to cover its output, for desktops that have no
// window rules to place it. Ends on SIGTERM.
// Usage: position_chart [--full-screen] APP_ID [RRGGBB]
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRasterWindow>
#include <QScreen>
#include <QString>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

class PositionChart : public QRasterWindow {
public:
    explicit PositionChart(std::optional<QColor> solid) : m_solid(solid)
    {
        // Moved onto an output of another scale, the window gets no expose
        // of its own, and would stay drawn at the old ratio.
        connect(this, &QWindow::screenChanged, this, [this] { update(); });
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (m_solid) {
            QPainter(this).fillRect(QRect(QPoint(0, 0), size()), *m_solid);
            return;
        }
        const qreal ratio = devicePixelRatio();
        const QSize pixels = (QSizeF(size()) * ratio).toSize();
        QImage image(pixels, QImage::Format_RGB32);
        for (int y = 0; y < pixels.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < pixels.width(); ++x)
                line[x] = qRgb(x & 255, y & 255, 0x80 | ((x >> 8) & 15) << 3 | ((y >> 8) & 7));
        }
        image.setDevicePixelRatio(ratio);
        QPainter(this).drawImage(QPointF(0, 0), image);
    }

private:
    std::optional<QColor> m_solid;
};

} // namespace

int main(int argc, char** argv)
{
    const bool fullScreen = argc > 1 && std::strcmp(argv[1], "--full-screen") == 0;
    char** const args = argv + (fullScreen ? 1 : 0);
    const int count = argc - (fullScreen ? 1 : 0);
    std::optional<QColor> solid;
    if (count == 3)
        solid = QColor(QStringLiteral("#%1").arg(QString::fromLocal8Bit(args[2])));
    if (count < 2 || count > 3 || (solid && !solid->isValid())) {
        std::fprintf(stderr, "usage: position_chart [--full-screen] APP_ID [RRGGBB]\n");
        return 64;
    }
    QGuiApplication app(argc, argv);
    // The compositor's window rules find it by this.
    QGuiApplication::setDesktopFileName(QString::fromLocal8Bit(args[1]));
    PositionChart chart(solid);
    chart.resize(320, 240);
    if (fullScreen)
        chart.showFullScreen();
    else
        chart.show();
    return QGuiApplication::exec();
}
