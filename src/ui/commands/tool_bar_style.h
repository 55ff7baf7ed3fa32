#pragma once

#include <QProxyStyle>

namespace tavlor::ui {

/** Toolbar metrics of ToolBar1: no frame, margin or spacing around the buttons, 8-pixel separators.
 */
class ToolBarStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace tavlor::ui
