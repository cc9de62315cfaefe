#pragma once

#include "core/still_layout.h"
#include "platform/picking/magnifying_picker.h"
#include "platform/portal/portal_request.h"

#include <QDateTime>
#include <QImage>

#include <optional>
#include <vector>

namespace tintwell::platform {

class StillView;

// Picking from a still of the screen, for desktops whose portal takes
// screenshots but has no picker of its own that works: the portal is asked
// for a screenshot (org.freedesktop.portal.Screenshot.Screenshot, not
// interactive), which is shown frozen over every screen, and the user picks
// from it as from the live screen. The colour taken is the still's own
// pixel. No program may move the pointer on Wayland, so the arrow keys move
// the pick itself, drawn as a crosshair, until the pointer moves again.
class StillScreenPicker final : public MagnifyingPicker {
    Q_OBJECT

public:
    // The still is shown in windows of `window`'s.
    StillScreenPicker(QObject* parent, QWidget& window, PortalOptions options = {});
    ~StillScreenPicker() override;

    void Start() override;
    void Cancel() override;
    bool IsPicking() const override { return m_request->IsOpen() || !m_views.empty(); }

    // Shows `still` as if the portal had just handed it over; false when it
    // fits no layout of the screens.
    bool Show(const QImage& still);

protected:
    void PointerMoved(const QObject* window, QPointF position) override;
    void Step(int dx, int dy) override;
    void ZoomOrSampleChanged() override;
    void Finish(Outcome outcome) override;

private:
    void OnAnswered(uint response, const QVariantMap& results);
    // A view is on the screen or has its size: where the pointer has not
    // been seen on a view yet, the pick starts where the pointer is now.
    void OnViewPlaced();
    // One step of the live preview at the pick: the magnifier and the
    // sample's colour.
    void Preview();
    // The screens as the layout knows them, in the order of m_views.
    std::vector<tintwell::ScreenArea> Screens() const;
    StillView* ViewAt(tintwell::StillPixel pixel) const;
    void MoveTo(tintwell::StillPixel pixel, bool byKeys);
    void Release();

    QWidget& m_window;
    PortalRequest* m_request = nullptr;
    QDateTime m_requested;
    QImage m_still;
    std::optional<tintwell::StillLayout> m_layout;
    std::vector<StillView*> m_views;
    tintwell::StillPixel m_pick;
    bool m_pickedByKeys = false;
    bool m_pointerSeen = false;
    // The sample's colour at the pick, as last shown.
    std::optional<tintwell::Rgb> m_taken;
};

} // namespace tintwell::platform
