// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace appinfo {
// Captions every message box of the program.
inline const QString ProgramTitle = QStringLiteral("Amorial");
// Title of every window.
inline const QString WindowTitle = QStringLiteral("Amorial v1.20");
} // namespace appinfo
