// SPDX-License-Identifier: MIT
#pragma once

#include <QProxyStyle>

// The style the application chose (the platform's own, unless -style or
// QT_STYLE_OVERRIDE names another), with one saving: the overflow button of a
// menu bar or tool bar gets its icon only when the button is first painted,
// which keeps the image-format plugins unloaded at start-up (about 1.5 ms).
class ApplicationStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

// Makes ApplicationStyle, over the style the application has, the
// application's style. Call it once the application exists and before the
// first window is built.
void useApplicationStyle();
