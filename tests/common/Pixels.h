// SPDX-License-Identifier: MIT
// Reading back what a window shows: the colour at a point of one of its
// widgets, and how many pixels of an area come out in a colour.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

// The widget's window as it shows on screen. At a screen scale the grab has
// more pixels than the window has logical ones.
inline QImage shownWindow(const QWidget *widget)
{
    return widget->window()->grab().toImage();
}

// Where a point of the widget lands in its window's grab.
inline QPoint pixelOf(const QImage &shot, const QWidget *widget, QPoint point)
{
    return (QPointF(widget->mapTo(widget->window(), point)) * shot.devicePixelRatio()).toPoint();
}

// A point of the widget; a negative coordinate counts back from its right or
// bottom edge, -1 being the last pixel.
inline QPoint pointFromEdges(const QWidget *widget, QPoint at)
{
    if (at.x() < 0)
        at.setX(widget->width() + at.x());
    if (at.y() < 0)
        at.setY(widget->height() + at.y());
    return at;
}

// The colour painted at a point of a widget, as its window shows it.
inline QColor shownColour(const QWidget *widget, QPoint point)
{
    const QImage shot = shownWindow(widget);
    return shot.pixelColor(pixelOf(shot, widget, point));
}

// How many pixels of an area of the widget its window shows in the colour.
inline int pixelsOfColour(const QWidget *widget, QRect area, const QColor &colour)
{
    const QImage shot = shownWindow(widget);
    const QRect pixels(pixelOf(shot, widget, area.topLeft()), area.size() * shot.devicePixelRatio());
    int count = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            if (shot.pixelColor(x, y) == colour)
                ++count;
    return count;
}
