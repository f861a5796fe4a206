// SPDX-License-Identifier: MIT
// The application shell: start-up, the list of loaded windows and the one way
// out of the program.
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace modMain {

// Drawn once at start-up by CoBrand_Randomize, 1 to 7.
extern qint16 intCoBrandRandomNumber;

// The whole start-up; call once, after the QApplication exists.
void StartProgram();

// Unloads every loaded window in creation order, then ends the process.
// Safe to enter again from a window's unload handling.
void EndProgram();

// Brings one of the entry window's two promotional labels to the front at random.
void CoBrand_Randomize();

// The loaded windows, in the order they were created.
void trackLoadedForm(QWidget *form);
// Takes a window off the list; called when its unload begins.
void untrackLoadedForm(QWidget *form);
bool isLoaded(const QWidget *form);
QList<QWidget *> loadedForms();

// Unloads one window: it leaves the list, closes (running its unload handling)
// and is deleted. Closing twice is harmless.
void unloadForm(QWidget *form);

// Runs one step of a handler; any exception it throws is swallowed so that the
// handler can go on with its next step.
void ignoreErrors(const std::function<void()> &step) noexcept;

} // namespace modMain
