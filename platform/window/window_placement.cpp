#include "platform/window/window_placement.h"

#include "core/position_text.h"
#include "platform/display_platform.h"
#include "platform/window/settings_store.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tintwell::platform {

namespace {

constexpr double kTwipsPerInch = 1440.0;
// Far beyond any desktop, yet safely inside an int once in pixels.
constexpr double kLargestPixel = 1e7;

double PixelsPerTwip()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return (screen != nullptr ? screen->logicalDotsPerInch() : 96.0) / kTwipsPerInch;
}

std::u16string DecimalSeparator()
{
    return QLocale().decimalPoint().toStdU16String();
}

float StoredPosition(const QString& key)
{
    const QString text = GetSetting(settings::kApplication, settings::kMainWindow, key,
                                    QString::number(settings::kDefaultPosition));
    return PositionFromText(text.toStdU16String(), DecimalSeparator())
        .value_or(static_cast<float>(settings::kDefaultPosition));
}

std::optional<int> ToPixels(float twips)
{
    const double pixels = std::round(twips * PixelsPerTwip());
    if (std::abs(pixels) > kLargestPixel)
        return std::nullopt;
    return static_cast<int>(pixels);
}

bool OnSomeScreen(const QRect& frame)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&frame](const QScreen* screen) { return screen->geometry().intersects(frame); });
}

// The frame's top-left as it stands when the window is shown normally.
QPoint NormalFramePosition(const QWidget& window)
{
    if (!(window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return window.pos();
    const QWindow* handle = window.windowHandle();
    const QMargins frame = handle != nullptr ? handle->frameMargins() : QMargins();
    return window.normalGeometry().topLeft() - QPoint(frame.left(), frame.top());
}

void Store(const QString& key, float twips)
{
    const QString text = QString::fromStdU16String(PositionText(twips, DecimalSeparator()));
    if (!SaveSetting(settings::kApplication, settings::kMainWindow, key, text))
        std::fprintf(stderr, "tintwell: could not save the window position in %s\n",
                     qUtf8Printable(SettingsFile(settings::kApplication)));
}

} // namespace

void WindowPlacement::Restore(QWidget& window)
{
    if (RunsOnWayland()) // nothing to learn or set of where the window is
        return;
    float left = StoredPosition(settings::kLeft);
    float top = StoredPosition(settings::kTop);
    std::optional<int> x = ToPixels(left);
    std::optional<int> y = ToPixels(top);
    if (!x || !y || !OnSomeScreen(QRect(QPoint(*x, *y), window.size()))) {
        left = top = static_cast<float>(settings::kDefaultPosition);
        x = y = ToPixels(left);
    }
    window.move(*x, *y);
    m_restored = Restored{left, top, QPoint(*x, *y)};
}

void WindowPlacement::Save(const QWidget& window) const
{
    if (RunsOnWayland())
        return;
    const QPoint pixels = NormalFramePosition(window);
    const auto twips = [](int pixel) { return static_cast<float>(pixel / PixelsPerTwip()); };
    const bool leftUnmoved = m_restored && m_restored->pixels.x() == pixels.x();
    const bool topUnmoved = m_restored && m_restored->pixels.y() == pixels.y();
    Store(settings::kLeft, leftUnmoved ? m_restored->left : twips(pixels.x()));
    Store(settings::kTop, topUnmoved ? m_restored->top : twips(pixels.y()));
}

} // namespace tintwell::platform
