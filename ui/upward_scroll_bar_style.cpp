#include "ui/upward_scroll_bar_style.h"

#include <QStyleOptionSlider>

namespace tintwell::ui {

namespace {

const QStyleOptionSlider* UpwardBar(QStyle::ComplexControl control, const QStyleOptionComplex* option)
{
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != QStyle::CC_ScrollBar || bar == nullptr || bar->orientation != Qt::Vertical || !bar->upsideDown)
        return nullptr;
    return bar;
}

QStyle::SubControl Swapped(QStyle::SubControl subControl)
{
    switch (subControl) {
    case QStyle::SC_ScrollBarSubLine:
        return QStyle::SC_ScrollBarAddLine;
    case QStyle::SC_ScrollBarAddLine:
        return QStyle::SC_ScrollBarSubLine;
    case QStyle::SC_ScrollBarSubPage:
        return QStyle::SC_ScrollBarAddPage;
    case QStyle::SC_ScrollBarAddPage:
        return QStyle::SC_ScrollBarSubPage;
    default:
        return subControl;
    }
}

QStyle::SubControls Swapped(QStyle::SubControls subControls)
{
    QStyle::SubControls swapped = subControls;
    for (const auto subControl : {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSubPage,
                                  QStyle::SC_ScrollBarAddPage})
        swapped.setFlag(Swapped(subControl), subControls.testFlag(subControl));
    return swapped;
}

} // namespace

UpwardScrollBarStyle::UpwardScrollBarStyle(QObject* parent)
{
    setParent(parent);
}

QRect UpwardScrollBarStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                           SubControl subControl, const QWidget* widget) const
{
    if (UpwardBar(control, option) != nullptr)
        subControl = Swapped(subControl);
    return QProxyStyle::subControlRect(control, option, subControl, widget);
}

void UpwardScrollBarStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                              QPainter* painter, const QWidget* widget) const
{
    const QStyleOptionSlider* bar = UpwardBar(control, option);
    if (bar == nullptr) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // An ordinary bar at the mirrored value has its thumb in the same place.
    QStyleOptionSlider mirrored = *bar;
    mirrored.upsideDown = false;
    mirrored.sliderPosition = bar->maximum - (bar->sliderPosition - bar->minimum);
    mirrored.sliderValue = bar->maximum - (bar->sliderValue - bar->minimum);
    mirrored.subControls = Swapped(bar->subControls);
    mirrored.activeSubControls = Swapped(bar->activeSubControls);
    QProxyStyle::drawComplexControl(control, &mirrored, painter, widget);
}

} // namespace tintwell::ui
