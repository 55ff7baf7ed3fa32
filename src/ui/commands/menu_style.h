#pragma once

#include <QProxyStyle>

namespace tavlor::ui {

/** The application's style, except that menus highlight greyed items too (as the desktop menus
 *  this program follows do), so the hint of a greyed command still shows while it is pointed at. */
class MenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

} // namespace tavlor::ui
