// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

class QComboBox;
class QWidget;

// Dresses a combo box without building the list it drops down: dressBox
// changes the box's style, palette and font at once, and dressList dresses
// the list when it is built, the first time the box drops down.
void dressComboBox(QComboBox *box, const std::function<void()> &dressBox,
                   std::function<void(QWidget *list)> dressList);
