#include "platform/portal/portal_screen_picker.h"

#include "platform/portal/screenshot_portal.h"

#include <QDBusArgument>

#include <array>
#include <cmath>
#include <cstddef>
#include <utility>

using namespace Qt::StringLiterals;

namespace tintwell::platform {

namespace {

constexpr auto kColor = "color"_L1;
// The colour is three doubles; any other shape is not an answer we know.
constexpr auto kColorSignature = "(ddd)"_L1;
constexpr double kMaxChannel = 255.0;

std::optional<tintwell::Rgb> ColorOf(const QVariantMap& results)
{
    const QVariant value = results.value(kColor);
    if (value.metaType() != QMetaType::fromType<QDBusArgument>())
        return std::nullopt;
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != kColorSignature)
        return std::nullopt;
    std::array<double, 3> components{};
    argument.beginStructure();
    argument >> components[0] >> components[1] >> components[2];
    argument.endStructure();

    std::array<std::int32_t, 3> channels{};
    for (std::size_t i = 0; i < components.size(); ++i) {
        // Written so that NaN fails too.
        if (!(components[i] >= 0.0 && components[i] <= 1.0))
            return std::nullopt;
        channels[i] = static_cast<std::int32_t>(std::lround(components[i] * kMaxChannel));
    }
    return tintwell::Rgb{channels[0], channels[1], channels[2]};
}

} // namespace

PortalScreenPicker::PortalScreenPicker(QObject* parent, PortalOptions options)
    : ScreenPicker(parent), m_request(new PortalRequest(this, std::move(options)))
{
    connect(m_request, &PortalRequest::Answered, this, &PortalScreenPicker::OnAnswered);
    connect(m_request, &PortalRequest::Failed, this, [this](PortalFailure why) { Q_EMIT Failed(PickFailureOf(why)); });
    connect(m_request, &PortalRequest::Slow, this, [this] { Q_EMIT Waiting(false); });
}

void PortalScreenPicker::Start()
{
    m_request->Send(kScreenshotInterface, u"PickColor"_s, {ParentWindow(this)}, {});
}

void PortalScreenPicker::Cancel()
{
    if (!m_request->IsOpen())
        return;
    m_request->Abandon();
    Q_EMIT Cancelled();
}

void PortalScreenPicker::OnAnswered(uint response, const QVariantMap& results)
{
    // No person cancels that fast: the desktop could not show its picker.
    if (response == kUserCancelled && m_request->AnsweredAfter() < kSoonerThanAnyone) {
        Q_EMIT Failed(PickFailure::DesktopFailed);
    } else if (response == kUserCancelled) {
        Q_EMIT Cancelled();
    } else if (response != kSucceeded) {
        Q_EMIT Failed(PickFailure::DesktopFailed);
    } else if (const auto color = ColorOf(results)) {
        Q_EMIT Picked(*color);
    } else {
        Q_EMIT Failed(PickFailure::BadAnswer);
    }
}

} // namespace tintwell::platform
