// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// Moves a top-level window so that its frame lies centred on the available
// area of its screen: at once, by what is known of the frame so far, and once
// more when the window is first exposed, by then in the window manager's
// frame. Call it from the window's showEvent().
void centreOnScreen(QWidget *window);
