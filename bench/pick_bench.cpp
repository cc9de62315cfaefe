// One step of the live preview while picking from the screen, on the real
// window on a real X server: read the pixels around the pointer, refresh
// every view of the colour, redraw the magnifier; at the zoom and sample
// every pick starts with, then at the costliest (32x, a 9x9 mean). The
// pointer moves between two colours so every view changes each step;
// moving it is not timed.
#include "platform/x11/x11_pixels.h"
#include "platform/x11/x11_screen_picker.h"
#include "ui/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kSteps = 400;
constexpr QRect kPatch(400, 120, 200, 100);

QWidget* ColorPatch(QWidget* owner, QRect where, QColor color)
{
    auto* patch = new QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint);
    patch->setAutoFillBackground(true);
    QPalette palette = patch->palette();
    palette.setColor(QPalette::Window, color);
    patch->setPalette(palette);
    patch->setGeometry(where);
    patch->show();
    return patch;
}

} // namespace

int main(int argc, char* argv[])
{
    const QTemporaryDir settings; // the window saves its position on close
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    if (!tintwell::platform::x11::Available()) {
        std::fprintf(stderr, "pick_bench: needs an X server\n");
        return 2;
    }
    tintwell::ui::frmMain window;
    window.show();
    const int half = kPatch.width() / 2;
    ColorPatch(&window, QRect(kPatch.topLeft(), QSize(half, kPatch.height())), QColor(0x1E, 0x5A, 0xC8));
    ColorPatch(&window, QRect(kPatch.topLeft() + QPoint(half, 0), QSize(half, kPatch.height())),
               QColor(0xC8, 0x5A, 0x1E));
    QCursor::setPos(kPatch.topLeft() + QPoint(half / 2, kPatch.height() / 2));
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();

    const QList<QAction*> actions = window.actions();
    const auto pick = std::find_if(actions.begin(), actions.end(),
                                   [](const QAction* a) { return a->text() == QStringLiteral("Pick from Screen"); });
    (*pick)->trigger();
    QApplication::processEvents();
    auto* picker = window.findChild<tintwell::platform::X11ScreenPicker*>();
    if (picker == nullptr || !picker->IsPicking()) {
        std::fprintf(stderr, "pick_bench: picking did not start\n");
        return 1;
    }

    const auto* shown = window.findChild<QLineEdit*>(QStringLiteral("txtHex"));
    const auto measure = [&](const char* lens) {
        QString before = shown->text();
        int changed = 0;
        std::vector<double> steps;
        steps.reserve(kSteps);
        for (int i = 0; i < kSteps; ++i) {
            tintwell::platform::x11::MovePointer(i % 2 == 0 ? half : -half, 0);
            const auto start = std::chrono::steady_clock::now();
            picker->Preview();
            QApplication::processEvents(); // the repaint of the window and the magnifier
            steps.push_back(
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
            changed += shown->text() != before ? 1 : 0;
            before = shown->text();
        }
        std::sort(steps.begin(), steps.end());
        const auto at = [&](double fraction) { return steps[static_cast<std::size_t>(fraction * (kSteps - 1))]; };
        std::printf("%-44s %10.0f us   (the colour changed in %d of %d steps)\n",
                    (std::string("one preview step at ") + lens + ", median").c_str(), at(0.5), changed, kSteps);
        std::printf("%-44s %10.0f us\n", "the same, 10th to 90th percentile from", at(0.1));
        std::printf("%-44s %10.0f us\n", "                                   to", at(0.9));
    };
    measure("8x, one pixel");
    // As the user's keys would: zoomed in twice, the sample widened thrice.
    for (const Qt::Key key :
         {Qt::Key_Plus, Qt::Key_Plus, Qt::Key_BracketRight, Qt::Key_BracketRight, Qt::Key_BracketRight}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&window, &press);
    }
    QApplication::processEvents();
    measure("32x, 9x9 mean");
    picker->Cancel();
    return 0;
}
