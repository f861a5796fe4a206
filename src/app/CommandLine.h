// SPDX-License-Identifier: MIT
// --help and --version, answered before the application connects to a display.
#pragma once

#include <optional>
#include <vector>

namespace commandline {

// Reads the arguments. Returns the exit code when the program has answered
// them itself (help, version, a bad argument) and must not start; nullopt when
// it should start. Qt's own options, such as -platform, pass through to the
// application untouched.
std::optional<int> handle(int argc, const char *const argv[]);

// The arguments to give the application, ending in a null pointer: the
// program's own and, on X11 desktops unless the user chose a -name, "-name"
// and the desktop file name. The X11 platform makes that the instance half of
// every window's WM_CLASS, so docks match the windows to the menu entry.
// Other platforms leave it among the arguments, where nothing reads it.
std::vector<char *> applicationArguments(int argc, char *argv[]);

} // namespace commandline
