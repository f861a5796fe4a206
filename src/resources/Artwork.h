// SPDX-License-Identifier: MIT
// The program icon and the pointing-hand pointers shared by the windows.
#pragma once

#include <QCursor>
#include <QIcon>

namespace artwork {

// 32 x 32, in colour.
QIcon programIcon();
// Pointing hand shown over link labels.
QCursor handCursor();
// The same hand in black and white only.
QCursor monochromeHandCursor();

} // namespace artwork
