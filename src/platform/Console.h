// SPDX-License-Identifier: MIT
// Where the program's answers on the command line go.
#pragma once

#include <QByteArray>

namespace platform {

enum class ConsoleText { Answer, Refusal };

// Writes help, version or a refusal of the arguments where the user sees it:
// an answer to standard output, a refusal to standard error. A Windows
// program without a console of its own writes to the console it was started
// from, or to its redirected output; started with neither (from Explorer, a
// shortcut, "Open with"), it shows the text in a message box captioned with
// the program's title and returns once the box is dismissed.
void writeToConsole(ConsoleText kind, const QByteArray &text);

} // namespace platform
