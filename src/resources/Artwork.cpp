// SPDX-License-Identifier: MIT
#include "resources/Artwork.h"

#include <QPixmap>

// The images are compiled in as XPM arrays: read straight from memory, with no
// file or image-format lookup on the way to the first window.
#include "amorial.xpm"
#include "hand.xpm"
#include "hand_mono.xpm"

namespace artwork {
namespace {

// Where the tip of the index finger lies in the hand images.
constexpr int HandHotX = 12;
constexpr int HandHotY = 1;

} // namespace

QIcon programIcon()
{
    return QIcon(QPixmap(amorial_xpm));
}

QCursor handCursor()
{
    return QCursor(QPixmap(hand_xpm), HandHotX, HandHotY);
}

QCursor monochromeHandCursor()
{
    return QCursor(QPixmap(hand_mono_xpm), HandHotX, HandHotY);
}

} // namespace artwork
