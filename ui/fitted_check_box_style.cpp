#include "ui/fitted_check_box_style.h"

#include <QWidget>

#include <algorithm>

namespace tintwell::ui {

FittedCheckBoxStyle::FittedCheckBoxStyle(QObject* parent)
{
    setParent(parent);
}

int FittedCheckBoxStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (widget == nullptr)
        return QProxyStyle::pixelMetric(metric, option, widget);
    const auto own = [&](PixelMetric which) { return QProxyStyle::pixelMetric(which, option, widget); };
    const int fitted = std::min(own(PM_IndicatorHeight), widget->height());
    switch (metric) {
    case PM_IndicatorHeight:
    case PM_IndicatorWidth:
        return std::min(own(metric), fitted);
    case PM_CheckBoxLabelSpacing:
        return own(metric) + own(PM_IndicatorWidth) - std::min(own(PM_IndicatorWidth), fitted);
    default:
        return own(metric);
    }
}

} // namespace tintwell::ui
