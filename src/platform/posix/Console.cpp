// SPDX-License-Identifier: MIT
#include "platform/Console.h"

#include <cstdio>

namespace platform {

// A POSIX process inherits its terminal with its descriptors.
void writeToConsole(ConsoleText kind, const QByteArray &text)
{
    std::FILE *stream = kind == ConsoleText::Answer ? stdout : stderr;
    std::fwrite(text.constData(), 1, size_t(text.size()), stream);
    std::fflush(stream);
}

} // namespace platform
