// SPDX-License-Identifier: MIT
#include "resources/Artwork.h"

#include <QPixmap>

// The images are compiled in as XPM arrays: read straight from memory, with no
// file or image-format lookup on the way to the first window. Only the About
// window's picture on a high-density screen reads a PNG, from the resources.
#include "amorial.xpm"
#include "hand.xpm"
#include "hand_mono.xpm"

namespace artwork {
namespace {

// Where the tip of the index finger lies in the hand images.
constexpr int HandHotX = 12;
constexpr int HandHotY = 1;

} // namespace

// Each is made once per process and shared by every window: a new icon each
// time would leave a new entry in Qt's pixmap cache. Never destroyed, as
// pixmaps must not outlive the application object.
QIcon programIcon()
{
    static const QIcon *const icon = new QIcon(QPixmap(amorial_xpm));
    return *icon;
}

QPixmap programPicture(qreal devicePixelRatio)
{
    static const QIcon *const icon = [] {
        auto *both = new QIcon(programIcon());
        both->addFile(QStringLiteral(":/amorial/amorial-64.png"));
        return both;
    }();
    return icon->pixmap(QSize(32, 32), devicePixelRatio);
}

QCursor handCursor()
{
    static const QCursor *const cursor = new QCursor(QPixmap(hand_xpm), HandHotX, HandHotY);
    return *cursor;
}

QCursor monochromeHandCursor()
{
    static const QCursor *const cursor = new QCursor(QPixmap(hand_mono_xpm), HandHotX, HandHotY);
    return *cursor;
}

} // namespace artwork
