// SPDX-License-Identifier: MIT
// The application shell: start-up, the hand-over between the windows and the
// one way out of the program.
#pragma once

#include <QtGlobal>

class frmDisplay;
class frmMain;

namespace modMain {

// Drawn once at start-up by CoBrand_Randomize, 1 to 7.
extern qint16 intCoBrandRandomNumber;

// The whole start-up; call once, after the QApplication exists.
void StartProgram();

// Unloads every loaded window in creation order, saves the settings, gives up
// the single-instance lock, then ends the process. Safe to enter again from a
// window's unload handling.
void EndProgram();

// Brings one of the entry window's two promotional labels to the front at random.
void CoBrand_Randomize();

// Creates the entry window, not yet shown, with its find action showing the
// result window in its place and its unload ending the program.
frmMain *LoadEntryWindow();
// Creates the result window, not yet shown, with Back showing the entry window
// again and any other unload ending the program.
frmDisplay *LoadResultWindow();

} // namespace modMain
