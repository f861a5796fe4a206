// SPDX-License-Identifier: MIT
// Where the program's answers on the command line go.
#pragma once

namespace platform {

// Makes standard output and standard error reach the console the program was
// started from, where the system does not already connect them: a Windows
// program without a console of its own attaches to its parent's. Call before
// printing; a second call does nothing.
void useParentConsole();

} // namespace platform
