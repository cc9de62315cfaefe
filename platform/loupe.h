#pragma once

#include <QImage>
#include <QWidget>

namespace platform {

// The magnifier beside the pointer while picking: the pixels around the hot
// spot, enlarged, the one that will be taken outlined, and its #RRGGBB.
class Loupe final : public QWidget {
    Q_OBJECT

public:
    // Pixels read on each side of the hot spot.
    static constexpr int kRadius = 7;

    explicit Loupe(QWidget* owner);

    // Shows `pixels`, a square of 2 * kRadius + 1 with the hot spot in the
    // middle, beside `pointer` (in the desktop's coordinates), on a side with
    // room, and never over the pixels read.
    void Show(const QImage& pixels, QPoint pointer);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_pixels;
};

} // namespace platform
