#include "platform/portal_screen_picker.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cmath>
#include <cstddef>
#include <utility>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

constexpr auto kService = "org.freedesktop.portal.Desktop"_L1;
constexpr auto kDesktopPath = "/org/freedesktop/portal/desktop"_L1;
constexpr auto kScreenshot = "org.freedesktop.portal.Screenshot"_L1;
constexpr auto kRequest = "org.freedesktop.portal.Request"_L1;
constexpr auto kResponse = "Response"_L1;
constexpr auto kColour = "color"_L1;
// The colour is three doubles; any other shape is not an answer we know.
constexpr auto kColourSignature = "(ddd)"_L1;

constexpr uint kSucceeded = 0;
constexpr uint kUserCancelled = 1;
constexpr double kMaxChannel = 255.0;

QString NoAnswer()
{
    return u"Picking from the screen needs xdg-desktop-portal, which did not answer."_s;
}

QString NoPick()
{
    return u"Picking from the screen needs xdg-desktop-portal, which could not pick a colour."_s;
}

QString NoColour()
{
    return u"Picking from the screen needs xdg-desktop-portal, which gave no usable colour."_s;
}

std::optional<tintwell::Rgb> ColourOf(const QVariantMap& results)
{
    const QVariant value = results.value(kColour);
    if (value.metaType() != QMetaType::fromType<QDBusArgument>())
        return std::nullopt;
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != kColourSignature)
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

PortalScreenPicker::PortalScreenPicker(QObject* parent, std::optional<QDBusConnection> bus,
                                       std::chrono::milliseconds callTimeout,
                                       std::chrono::milliseconds answerTimeout)
    : ScreenPicker(parent), m_bus(std::move(bus)), m_callTimeout(callTimeout),
      m_answerTimer(new QTimer(this))
{
    m_answerTimer->setSingleShot(true);
    m_answerTimer->setInterval(answerTimeout);
    connect(m_answerTimer, &QTimer::timeout, this, [this] { Fail(NoAnswer()); });
}

PortalScreenPicker::~PortalScreenPicker()
{
    Abandon();
}

void PortalScreenPicker::Start()
{
    if (m_picking)
        return;
    if (!m_bus)
        m_bus = QDBusConnection::sessionBus();
    m_picking = true;
    m_answerTimer->start();

    // The portal makes the request's path from our name and this token, so
    // the answer can be listened for before the call; nobody else can guess
    // the token and answer in the portal's place.
    const QString token = u"tintwell_%1"_s.arg(QRandomGenerator::global()->generate64());
    if (m_bus->isConnected()) {
        const QString sender = m_bus->baseService().mid(1).replace(u'.', u'_');
        Listen(u"%1/request/%2/%3"_s.arg(kDesktopPath, sender, token));
    }

    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kDesktopPath, kScreenshot, u"PickColor"_s);
    call << ParentWindow() << QVariantMap{{u"handle_token"_s, token}};
    m_call = new QDBusPendingCallWatcher(
        m_bus->asyncCall(call, static_cast<int>(m_callTimeout.count())), this);
    connect(m_call, &QDBusPendingCallWatcher::finished, this, &PortalScreenPicker::OnCallFinished);
}

void PortalScreenPicker::Cancel()
{
    if (!m_picking)
        return;
    Abandon();
    Q_EMIT Cancelled();
}

bool PortalScreenPicker::IsPicking() const
{
    return m_picking;
}

void PortalScreenPicker::OnCallFinished(QDBusPendingCallWatcher* call)
{
    const QDBusPendingReply<QDBusObjectPath> reply = *call;
    call->deleteLater();
    m_call = nullptr;
    if (reply.isError()) {
        Fail(NoAnswer());
        return;
    }
    // Portals older than the path convention pick the path themselves.
    const QString handle = reply.value().path();
    if (handle != m_requestPath) {
        StopListening();
        Listen(handle);
    }
}

void PortalScreenPicker::OnResponse(uint response, const QVariantMap& results)
{
    // An answer already on its way when the pick ended.
    if (!m_picking)
        return;
    // The request is over on the portal's side, so there is nothing to close.
    Finish();
    if (response == kUserCancelled) {
        Q_EMIT Cancelled();
    } else if (response != kSucceeded) {
        Q_EMIT Failed(NoPick());
    } else if (const auto colour = ColourOf(results)) {
        Q_EMIT Picked(*colour);
    } else {
        Q_EMIT Failed(NoColour());
    }
}

void PortalScreenPicker::Listen(const QString& requestPath)
{
    m_requestPath = requestPath;
    m_bus->connect(kService, m_requestPath, kRequest, kResponse, this,
                   SLOT(OnResponse(uint, QVariantMap)));
}

void PortalScreenPicker::StopListening()
{
    if (m_requestPath.isEmpty())
        return;
    m_bus->disconnect(kService, m_requestPath, kRequest, kResponse, this,
                      SLOT(OnResponse(uint, QVariantMap)));
    m_requestPath.clear();
}

void PortalScreenPicker::Finish()
{
    m_picking = false;
    m_answerTimer->stop();
    if (m_call) {
        m_call->disconnect(this);
        m_call->deleteLater();
        m_call = nullptr;
    }
    StopListening();
}

void PortalScreenPicker::Abandon()
{
    if (!m_picking)
        return;
    // Takes the desktop's picker off the screen; whether it could is no
    // concern of ours, so the reply is not waited for.
    if (!m_requestPath.isEmpty()) {
        QDBusMessage close = QDBusMessage::createMethodCall(kService, m_requestPath, kRequest,
                                                            u"Close"_s);
        close.setAutoStartService(false);
        m_bus->send(close);
    }
    Finish();
}

void PortalScreenPicker::Fail(const QString& reason)
{
    Abandon();
    Q_EMIT Failed(reason);
}

QString PortalScreenPicker::ParentWindow() const
{
    // On X11 the desktop can put its picker over our window; elsewhere the
    // portal takes an empty string.
    const auto* widget = qobject_cast<const QWidget*>(parent());
    if (widget && QGuiApplication::platformName() == "xcb"_L1)
        return u"x11:%1"_s.arg(widget->window()->winId(), 0, 16);
    return {};
}

} // namespace platform
