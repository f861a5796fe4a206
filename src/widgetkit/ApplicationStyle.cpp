// SPDX-License-Identifier: MIT
// Leans on Qt: every QMenuBar builds its overflow button (a QToolButton) at
// once, and the button asks the style for its standard icon as it is built;
// reading that icon loads every image-format plugin installed. Handing the
// button an icon that asks the style only when first painted or measured
// keeps the plugins unloaded while the menus fit. Checked with Qt 6.4.2 and
// 6.8.2 (Debian 12 and 13); tst_applicationstyle finds the image plugins
// loaded if Qt asks for the icon some other way.
#include "widgetkit/ApplicationStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPointer>

namespace {

// Stands for one of a style's standard icons and asks the style for it the
// first time it is drawn or measured.
class DeferredStandardIcon : public QIconEngine
{
public:
    DeferredStandardIcon(QStyle *style, QStyle::StandardPixmap which)
        : style(style)
        , which(which)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }

    // A style always has these two icons; asking would load it.
    bool isNull() override { return false; }

    QString key() const override { return QStringLiteral("DeferredStandardIcon"); }

    QIconEngine *clone() const override { return new DeferredStandardIcon(*this); }

private:
    const QIcon &icon()
    {
        if (style) {
            loaded = style->standardIcon(which);
            style = nullptr; // Asked once, whatever the answer.
        }
        return loaded;
    }

    QPointer<QStyle> style;
    QStyle::StandardPixmap which;
    QIcon loaded;
};

} // namespace

QIcon ApplicationStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                                     const QWidget *widget) const
{
    if (standardIcon == SP_ToolBarHorizontalExtensionButton || standardIcon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredStandardIcon(baseStyle(), standardIcon));
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

void useApplicationStyle()
{
    // Over the style the application chose, so that -style and
    // QT_STYLE_OVERRIDE still have their say; the proxy takes it over.
    QApplication::setStyle(new ApplicationStyle(QApplication::style()));
}
