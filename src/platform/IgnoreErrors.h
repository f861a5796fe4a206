// SPDX-License-Identifier: MIT
#pragma once

#include <utility>

namespace platform {

// Runs one step that can fail by throwing; the exception is swallowed so that
// the caller can go on with its next step.
template<class Step>
void ignoreErrors(Step &&step) noexcept
{
    try {
        std::forward<Step>(step)();
    } catch (...) {
    }
}

} // namespace platform
