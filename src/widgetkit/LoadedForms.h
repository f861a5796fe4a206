// SPDX-License-Identifier: MIT
// The program's loaded windows, shown or hidden, in the order they were created.
#pragma once

#include <QList>

class QWidget;

namespace loadedforms {

void track(QWidget *form);
// Takes a window off the list; called when its unload begins.
void untrack(QWidget *form);
bool isLoaded(const QWidget *form);
QList<QWidget *> all();

// Unloads one window: it leaves the list, closes (running its unload handling)
// and is deleted. Closing twice is harmless.
void unload(QWidget *form);

} // namespace loadedforms
