// SPDX-License-Identifier: MIT
#include "platform/Console.h"

#include <cstdio>

#include <windows.h>

namespace platform {
namespace {

bool connected(DWORD stream)
{
    const HANDLE handle = ::GetStdHandle(stream);
    return handle && handle != INVALID_HANDLE_VALUE;
}

} // namespace

// A program built for the windowing subsystem starts without a console. When
// its output is redirected (a pipe, a file) the handles are already there;
// otherwise it borrows the console of the program that started it, if any.
void useParentConsole()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const bool out = connected(STD_OUTPUT_HANDLE);
    const bool err = connected(STD_ERROR_HANDLE);
    if ((out && err) || !::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!out)
        [[maybe_unused]] std::FILE *reopened = std::freopen("CONOUT$", "w", stdout);
    if (!err)
        [[maybe_unused]] std::FILE *reopened = std::freopen("CONOUT$", "w", stderr);
}

} // namespace platform
