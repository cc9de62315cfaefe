#pragma once

#include "platform/picking/magnifying_picker.h"

#include <QElapsedTimer>

class QTimer;

namespace tintwell::platform {

class MagnifierWindow;

// Picking on X11: the program holds the pointer and the keyboard, reads the
// pixels under the pointer itself and shows them in a magnifier beside it;
// the arrow keys move the pointer. When another program holds the pointer
// or the keyboard (a shortcut still being let go, another program's open
// menu), it tries again for a while before giving up.
class X11ScreenPicker final : public MagnifyingPicker {
    Q_OBJECT

public:
    explicit X11ScreenPicker(QWidget& window);
    ~X11ScreenPicker() override;

    void Start() override;
    void Cancel() override;
    bool IsPicking() const override { return m_picking; }

    // One step of the live preview: reads the pixels around the pointer,
    // shows them in the magnifier and reports the sample's colour.
    void Preview();

protected:
    void PointerMoved(const QObject* window, QPointF position) override;
    void Step(int dx, int dy) override;
    void ZoomOrSampleChanged() override;
    void Finish(Outcome outcome) override;

private:
    void TryToGrab();
    // Lets go of the pointer, the keyboard and the cursor, and hides the
    // magnifier.
    void Release();

    MagnifierWindow* m_magnifier = nullptr;
    QTimer* m_retry = nullptr;
    QElapsedTimer m_sinceStart;
    bool m_picking = false;
};

} // namespace tintwell::platform
