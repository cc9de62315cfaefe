#pragma once

#include "platform/portal/portal_request.h"
#include "platform/screen_picker.h"

namespace tintwell::platform {

// Asks the desktop's own picker for a colour through xdg-desktop-portal
// (org.freedesktop.portal.Screenshot.PickColor). Whatever comes back over the
// bus is checked before it is believed.
class PortalScreenPicker final : public ScreenPicker {
    Q_OBJECT

public:
    explicit PortalScreenPicker(QObject* parent, PortalOptions options = {});

    void Start() override;
    void Cancel() override;
    bool IsPicking() const override { return m_request->IsOpen(); }

private:
    void OnAnswered(uint response, const QVariantMap& results);

    PortalRequest* m_request = nullptr;
};

} // namespace tintwell::platform
