// SPDX-License-Identifier: MIT
// --help and --version, answered before the application connects to a display.
#pragma once

#include <optional>

namespace commandline {

// Reads the arguments. Returns the exit code when the program has answered
// them itself (help, version, a bad argument) and must not start; nullopt when
// it should start. Qt's own options, such as -platform, pass through to the
// application untouched.
std::optional<int> handle(int argc, const char *const argv[]);

} // namespace commandline
