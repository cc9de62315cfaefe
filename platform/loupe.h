#pragma once

#include <QImage>
#include <QWidget>

namespace platform {

// The magnifier in a window of its own beside the pointer, for picking
// straight from the screen.
class Loupe final : public QWidget {
    Q_OBJECT

public:
    explicit Loupe(QWidget* owner);

    // Shows `pixels` (see magnifier::Around) beside `pointer`, in the
    // desktop's coordinates.
    void Show(const QImage& pixels, QPoint pointer);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_pixels;
};

} // namespace platform
