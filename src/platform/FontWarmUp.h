// SPDX-License-Identifier: MIT
#pragma once

namespace platform {

// Starts reading the system's font configuration on a thread of its own, so
// that it is ready by the time the first window measures text. Call it first
// thing in main; it returns at once.
void warmUpFontConfiguration();

} // namespace platform
