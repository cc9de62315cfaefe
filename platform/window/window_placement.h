#pragma once

#include <QPoint>

#include <optional>

class QWidget;

namespace tintwell::platform {

// Remembers where the main window was closed and opens it there again. The
// position is the outer frame's top-left, stored in twips under "Left" and
// "Top". Restore it before the window is first shown, save it as it closes.
class WindowPlacement {
public:
    // Moves the window to the stored position. A stored value that is not a
    // number falls back to the default, 1000 twips; a position that would
    // put the window wholly outside every screen (a monitor since unplugged)
    // gives the default position.
    void Restore(QWidget& window);

    // Stores the window's position; a minimised or maximised window stores
    // where it stood before. A store that cannot be written is reported on
    // stderr and otherwise ignored.
    void Save(const QWidget& window) const;

private:
    // What was restored, so an unmoved window writes back exactly what was
    // read rather than its pixels converted back to twips.
    struct Restored {
        float left;
        float top;
        QPoint pixels;
    };
    std::optional<Restored> m_restored;
};

} // namespace tintwell::platform
