#pragma once

#include "core/rgb.h"

#include <QObject>
#include <QString>

class QWidget;

namespace platform {

// Takes a colour from anywhere on the screen. How depends on the session: on
// X11 the program reads the pixels itself, with a magnifier beside the
// pointer; on Wayland, where no program may read another's pixels, the
// desktop's own picker is asked through the screenshot portal. A pick ends
// with exactly one of Picked, Cancelled or Failed.
class ScreenPicker : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Begins a pick; does nothing while one is in progress.
    virtual void Start() = 0;

    // Ends a pick in progress as the user's cancel would, releasing whatever
    // it holds (the pointer and keyboard grab, a pending request). Nothing
    // happens when no pick is in progress.
    virtual void Cancel() = 0;

    virtual bool IsPicking() const = 0;

Q_SIGNALS:
    // The colour under the pointer while the user looks for one; only
    // pickers that can preview send it.
    void Hovered(tintwell::Rgb colour);
    void Picked(tintwell::Rgb colour);
    void Cancelled();
    // Picking could not be done; `reason` is a short sentence for the user.
    void Failed(const QString& reason);
};

// The picker for this session, owned by `window`. Made on first use, so no
// grab, bus connection or portal request is prepared before it is needed.
ScreenPicker* CreateScreenPicker(QWidget& window);

} // namespace platform
