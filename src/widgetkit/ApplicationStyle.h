// SPDX-License-Identifier: MIT
#pragma once

#include <QProxyStyle>

// The style the application chose (the platform's own, unless -style or
// QT_STYLE_OVERRIDE names another), with one saving: the overflow button of a
// menu bar or tool bar gets its icon only when the button is first painted.
// Qt builds that button with every menu bar, and reading its icon loads every
// image-format plugin installed, about 1.5 ms of start-up for a button that
// shows only when the menus do not fit.
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
