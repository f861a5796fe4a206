// SPDX-License-Identifier: MIT
// Placeholder until the table lands.
#include "lookup/modPlanetSign.h"

namespace modPlanetSign {
QString LoveSign;
void FindVenusSign1930To1959(const QString &, const QString &, const QString &) {}
void FindVenusSign1960To1989(const QString &, const QString &, const QString &) {}
void FindVenusSign1990To2012(const QString &, const QString &, const QString &) {}
std::optional<QString> SignDescription(const QString &) { return std::nullopt; }
} // namespace modPlanetSign
