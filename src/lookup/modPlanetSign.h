// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

namespace modPlanetSign {
extern QString LoveSign;
void FindVenusSign1930To1959(const QString &year, const QString &month, const QString &day);
void FindVenusSign1960To1989(const QString &year, const QString &month, const QString &day);
void FindVenusSign1990To2012(const QString &year, const QString &month, const QString &day);
std::optional<QString> SignDescription(const QString &sign);
} // namespace modPlanetSign
