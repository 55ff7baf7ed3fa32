#include "ui/commands/tool_bar_style.h"

namespace tavlor::ui {

int ToolBarStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                              const QWidget* widget) const {
    switch (metric) {
    case PM_ToolBarFrameWidth:
    case PM_ToolBarItemMargin:
    case PM_ToolBarItemSpacing:
    case PM_ToolBarHandleExtent:
        return 0;
    case PM_ToolBarSeparatorExtent:
        return 8;
    case PM_ToolBarIconSize:
    case PM_SmallIconSize:
        return 16;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

} // namespace tavlor::ui
