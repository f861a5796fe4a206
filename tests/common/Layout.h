// SPDX-License-Identifier: MIT
// Design measures are in twips; 15 make one pixel.
#pragma once

#include <QRect>

#include <cmath>

inline int twipsToPixels(int twips)
{
    return int(std::lround(twips / 15.0));
}

// A rectangle of the design, in pixels.
inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

inline QRect twipsRect(const QRect &twips)
{
    return twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}
