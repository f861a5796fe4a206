// SPDX-License-Identifier: MIT
// The program icon and the pointing-hand pointers shared by the windows.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace artwork {

// 32 x 32, in colour.
QIcon programIcon();
// The program icon as a picture of 32 x 32 device-independent pixels for a
// screen of the given pixel ratio: the 32-pixel drawing where pixels are
// pixels, otherwise drawn from the 64-pixel image so it stays sharp.
QPixmap programPicture(qreal devicePixelRatio);
// Pointing hand shown over link labels.
QCursor handCursor();
// The same hand in black and white only.
QCursor monochromeHandCursor();

} // namespace artwork
