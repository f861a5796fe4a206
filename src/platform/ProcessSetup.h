// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

namespace platform {

// Readies the process before Qt starts: settles what the environment and the
// limits would otherwise make go wrong later. Returns why the program cannot
// run at all, when it cannot.
std::optional<QString> prepareProcess();

// The fewest open files the program runs with: the display, the event loop's
// wake-ups, the lock, a save and a launched browser, with room to spare.
inline constexpr int NeededOpenFiles = 32;

} // namespace platform
