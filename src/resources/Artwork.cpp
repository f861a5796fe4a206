// SPDX-License-Identifier: MIT
#include "resources/Artwork.h"

#include <QPixmap>

namespace artwork {
namespace {

// Where the tip of the index finger lies in the hand images.
constexpr int HandHotX = 12;
constexpr int HandHotY = 1;

} // namespace

QIcon programIcon()
{
    return QIcon(QStringLiteral(":/amorial/amorial.xpm"));
}

QCursor handCursor()
{
    return QCursor(QPixmap(QStringLiteral(":/amorial/hand.xpm")), HandHotX, HandHotY);
}

QCursor monochromeHandCursor()
{
    return QCursor(QPixmap(QStringLiteral(":/amorial/hand_mono.xpm")), HandHotX, HandHotY);
}

} // namespace artwork
