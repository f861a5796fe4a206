// SPDX-License-Identifier: MIT
// The program's single-instance lock on a file of one's choosing, so that two
// of them can meet in one process.
#pragma once

#include "platform/Platform.h"

#include <QString>

#include <memory>

namespace platform {

// The lock the program takes in its runtime folder, on the file at path instead.
std::unique_ptr<InstanceLock> makeFileInstanceLock(const QString &path);

} // namespace platform
