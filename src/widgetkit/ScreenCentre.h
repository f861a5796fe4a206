// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// Moves a top-level window so that its frame lies centred on the available
// area of its screen. The frame is known only once the window is shown, so
// call it again after show() returns to correct for it.
void centreOnScreen(QWidget *window);
