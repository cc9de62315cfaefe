#pragma once

#include "platform/picking/magnifier.h"

#include <QWidget>

namespace tintwell::platform {

// The magnifier in a window of its own beside the pointer, for picking
// straight from the screen.
class MagnifierWindow final : public QWidget {
    Q_OBJECT

public:
    explicit MagnifierWindow(QWidget* owner);

    // Shows `reading` beside `pointer`, in the desktop's coordinates.
    void Show(magnifier::Reading reading, QPoint pointer);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    magnifier::Reading m_reading;
};

} // namespace tintwell::platform
