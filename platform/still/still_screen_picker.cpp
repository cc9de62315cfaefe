#include "platform/still/still_screen_picker.h"

#include "platform/display_platform.h"
#include "platform/picking/magnifier.h"
#include "platform/portal/screenshot_portal.h"
#include "platform/still/still_file.h"
#include "platform/still/still_view.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QToolTip>
#include <QWindow>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace tintwell::platform {

namespace {

tintwell::ScreenArea AreaOf(const QScreen& screen)
{
    const QRect geometry = screen.geometry();
    return {geometry.x(), geometry.y(), geometry.width(), geometry.height(), screen.devicePixelRatio()};
}

} // namespace

StillScreenPicker::StillScreenPicker(QObject* parent, QWidget& window, PortalOptions options)
    : MagnifyingPicker(parent), m_window(window), m_request(new PortalRequest(this, std::move(options)))
{
    connect(m_request, &PortalRequest::Answered, this, &StillScreenPicker::OnAnswered);
    connect(m_request, &PortalRequest::Failed, this, [this](PortalFailure why) { Q_EMIT Failed(PickFailureOf(why)); });
    connect(m_request, &PortalRequest::Slow, this, [this] { Q_EMIT Waiting(true); });
    // A still of a screen that went away can no longer be shown as it was.
    connect(qApp, &QGuiApplication::screenRemoved, this, [this] {
        if (!m_views.empty())
            Finish(Outcome::Cancel);
    });
}

StillScreenPicker::~StillScreenPicker()
{
    Release();
}

void StillScreenPicker::Start()
{
    if (IsPicking())
        return;
    // A note still on the screen would be frozen into the still: it goes,
    // and the desktop has seen it go, before the still is asked for.
    if (QToolTip::isVisible()) {
        QToolTip::hideText();
        QGuiApplication::sync();
    }
    m_requested = QDateTime::currentDateTimeUtc();
    m_request->Send(kScreenshotInterface, u"Screenshot"_s, {ParentWindow(this)}, {{u"interactive"_s, false}});
}

void StillScreenPicker::Cancel()
{
    if (m_request->IsOpen()) {
        m_request->Abandon();
        Q_EMIT Cancelled();
    } else if (!m_views.empty()) {
        Finish(Outcome::Cancel);
    }
}

void StillScreenPicker::OnAnswered(uint response, const QVariantMap& results)
{
    // A still that is not interactive has nothing a person could cancel:
    // the desktop could not take it (as Plasma's portal says when it has
    // no folder to save it in, or KWin no way to take it).
    if (response == kUserCancelled) {
        Q_EMIT Failed(PickFailure::DesktopFailed);
        return;
    }
    if (response != kSucceeded) {
        Q_EMIT Failed(PickFailure::StillRefused);
        return;
    }
    const QVariant uri = results.value(u"uri"_s);
    if (uri.metaType() != QMetaType::fromType<QString>()) {
        Q_EMIT Failed(PickFailure::BadAnswer);
        return;
    }
    const std::vector<tintwell::ScreenArea> screens = Screens();
    const auto fits = [&screens](QSize size) {
        return tintwell::StillLayout::Fit(screens, size.width(), size.height()).has_value();
    };
    if (!Show(ReadStill(uri.toString(), fits, m_requested)))
        Q_EMIT Failed(PickFailure::BadStill);
}

std::vector<tintwell::ScreenArea> StillScreenPicker::Screens() const
{
    std::vector<tintwell::ScreenArea> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(AreaOf(*screen));
    return areas;
}

bool StillScreenPicker::Show(const QImage& still)
{
    if (still.isNull() || IsPicking())
        return false;
    const std::vector<tintwell::ScreenArea> areas = Screens();
    m_layout = tintwell::StillLayout::Fit(areas, still.width(), still.height());
    if (!m_layout)
        return false;
    m_still = still.format() == QImage::Format_RGB32 ? still : still.convertToFormat(QImage::Format_RGB32);

    const QList<QScreen*> screens = QGuiApplication::screens();
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const auto section = m_layout->Section(areas[i]);
        auto* view = new StillView(&m_window, *screens[static_cast<qsizetype>(i)], m_still,
                                   QRect(section.x, section.y, section.width, section.height));
        connect(view, &StillView::Placed, this, &StillScreenPicker::OnViewPlaced);
        m_views.push_back(view);
    }
    const QPoint pointer = QCursor::pos();
    m_pick = m_layout->PixelAt(pointer.x(), pointer.y());
    m_pickedByKeys = false;
    m_pointerSeen = false;
    for (StillView* view : m_views)
        view->ShowOnScreen();
    ListenToInput();
    Preview();
    if (StillView* view = ViewAt(m_pick))
        view->TakeKeyboard();
    return true;
}

void StillScreenPicker::OnViewPlaced()
{
    if (m_views.empty())
        return;
    // A view that comes up under a pointer that stays still gets no move;
    // on X the pointer is where the server says, and on Wayland the view's
    // entry tells, which counts as seen.
    if (!m_pointerSeen && !m_pickedByKeys) {
        const QPoint pointer = QCursor::pos();
        m_pick = m_layout->PixelAt(pointer.x(), pointer.y());
    }
    Preview();
}

StillView* StillScreenPicker::ViewAt(tintwell::StillPixel pixel) const
{
    const auto found = std::find_if(m_views.begin(), m_views.end(),
                                    [pixel](const StillView* view) { return view->Shows(pixel); });
    return found != m_views.end() ? *found : nullptr;
}

void StillScreenPicker::Preview()
{
    // Wayland tells a window where the pointer is only as it enters or
    // moves: until then any pixel shown would be a guess.
    if (m_views.empty() || !(m_pointerSeen || m_pickedByKeys || !RunsOnWayland()))
        return;
    const StillView* shownOn = ViewAt(m_pick);
    // The sample leaves out what lies beyond the edge of the pick's own
    // screen, the other screens' parts of the still included. While the
    // screens the program knows lag behind the desktop's, the pick may be
    // on none of them, and the still's edge is all there is.
    const QRect screen = shownOn != nullptr ? shownOn->Section() : m_still.rect();
    magnifier::Reading reading = magnifier::Read(m_still, {m_pick.x, m_pick.y}, screen, CurrentZoomAndSample());
    m_taken = reading.color;
    for (StillView* view : m_views) {
        if (view != shownOn) {
            view->Mark(std::nullopt, {}, std::nullopt);
            continue;
        }
        const QPointF hotSpot = view->PointOf(m_pick);
        const QRect where = magnifier::Placed(hotSpot.toPoint(), view->rect(), CurrentZoomAndSample().SampleSize() / 2);
        view->Mark(where, std::move(reading), m_pickedByKeys ? std::optional(hotSpot) : std::nullopt);
    }
    if (m_taken)
        Q_EMIT Hovered(*m_taken);
}

void StillScreenPicker::MoveTo(tintwell::StillPixel pixel, bool byKeys)
{
    if (pixel == m_pick && byKeys == m_pickedByKeys)
        return;
    m_pick = pixel;
    m_pickedByKeys = byKeys;
    Preview();
}

void StillScreenPicker::PointerMoved(const QObject* window, QPointF position)
{
    const auto view = std::find_if(m_views.begin(), m_views.end(),
                                   [window](const StillView* v) { return v->windowHandle() == window; });
    if (view == m_views.end())
        return;
    m_pointerSeen = true;
    // From the view itself, since a Wayland window does not know where on
    // the desktop it is, nor always its screen's size in Qt's units.
    MoveTo((*view)->PixelAt(position), false);
}

void StillScreenPicker::Step(int dx, int dy)
{
    const StillView* view = ViewAt(m_pick);
    if (view == nullptr)
        return;
    const int step = m_layout->PhysicalStep(AreaOf(view->Screen()));
    const int lastX = m_still.width() - 1;
    const int lastY = m_still.height() - 1;
    MoveTo({std::clamp(m_pick.x + dx * step, 0, lastX), std::clamp(m_pick.y + dy * step, 0, lastY)}, true);
}

void StillScreenPicker::ZoomOrSampleChanged()
{
    Preview();
}

void StillScreenPicker::Finish(Outcome outcome)
{
    const std::optional<tintwell::Rgb> color = m_taken;
    Release();
    if (outcome == Outcome::Take && color)
        Q_EMIT Picked(*color);
    else
        Q_EMIT Cancelled();
}

void StillScreenPicker::Release()
{
    m_request->Abandon();
    StopListeningToInput();
    // Later, since the event that ended the pick is still on its way to one
    // of them.
    for (StillView* view : std::exchange(m_views, {})) {
        view->hide();
        view->deleteLater();
    }
    m_still = {};
    m_layout.reset();
    m_taken.reset();
}

} // namespace tintwell::platform
