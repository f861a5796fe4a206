// SPDX-License-Identifier: MIT
#include "platform/ProcessSetup.h"

namespace platform {

// Windows has no file-size signal, no base-directory variables and no session
// bus to autolaunch, and its handle limit is far above the program's need.
std::optional<QString> prepareProcess()
{
    return std::nullopt;
}

} // namespace platform
