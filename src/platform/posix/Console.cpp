// SPDX-License-Identifier: MIT
#include "platform/Console.h"

namespace platform {

// A POSIX process inherits its terminal with its descriptors.
void useParentConsole() {}

} // namespace platform
