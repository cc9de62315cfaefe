#pragma once

#include <optional>
#include <span>

namespace tintwell {

// Where a still of the whole desktop puts each screen. Screens are given as
// the windowing system lays them out (logical coordinates) with their device
// pixel ratios; the still may be at any resolution, as long as it covers the
// layout at one scale in both directions.
struct ScreenArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    double pixelRatio = 1.0;
};

struct StillPixel {
    int x = 0;
    int y = 0;

    friend bool operator==(const StillPixel&, const StillPixel&) = default;
};

class StillLayout {
public:
    // The layout that explains a still of that size, or none when no single
    // scale maps the screens' bounding box onto it.
    static std::optional<StillLayout> Fit(std::span<const ScreenArea> screens, int stillWidth, int stillHeight);

    // Still pixels per logical pixel.
    double Scale() const { return m_scale; }

    // The still's pixel under a point of the layout, kept inside the still.
    StillPixel PixelAt(double x, double y) const;

    // The point of the layout at the centre of a still pixel.
    double LayoutX(int pixelX) const { return m_left + (pixelX + 0.5) / m_scale; }
    double LayoutY(int pixelY) const { return m_top + (pixelY + 0.5) / m_scale; }

    // How many still pixels make one of the screen's own physical pixels,
    // so a step of one moves to the next pixel that screen shows.
    int PhysicalStep(const ScreenArea& screen) const;

    // The still's pixels that show `screen`.
    struct Rect {
        int x, y, width, height;
    };
    Rect Section(const ScreenArea& screen) const;

private:
    StillLayout(int left, int top, int width, int height, double scale);

    int m_left;
    int m_top;
    int m_width;
    int m_height;
    double m_scale;
};

} // namespace tintwell
