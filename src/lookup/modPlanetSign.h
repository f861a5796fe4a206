// SPDX-License-Identifier: MIT
// The sign Venus stood in on a date from 1 January 1930 to 31 December 2012,
// from a built-in table, and the paragraph that goes with each sign.
#pragma once

#include <QString>

#include <optional>
#include <stdexcept>

namespace modPlanetSign {

// The sign found by the latest lookup that matched its date: one of "Aries" ...
// "Pisces", or empty before the first. Only the three lookups write it; nothing
// clears it.
extern QString LoveSign;

// Thrown by a lookup for a year or day text that is not a number. LoveSign is
// then left as it was.
class ConversionError : public std::runtime_error
{
public:
    explicit ConversionError(const QString &text);
};

// The three lookups take the texts of the entry window's year, month and day
// lists. Each one covers its own band of years; when the year lies in that
// band and the month is exactly one of "January" ... "December" (case matters),
// it sets LoveSign to the sign of that date. Any other year or month leaves
// LoveSign alone. Calling all three in turn therefore finds any date.
//
// The year text is converted first, whatever the band, so a year that is not a
// number throws from all three. The day text is converted only when the month
// holds more than one period; in a month with one sign any day text will do.
//
// A number text may have white space around it, leading zeros and one '+' or
// '-' right before its ASCII digits. Anything else (an empty text, a blank
// between sign and digits, a decimal point, other characters) or a value
// beyond the range of int throws ConversionError.
//
// The day is compared with the start days of the month's periods only, so a
// day past the month's end belongs to the month's last period, and a day of 0
// or below to its first.
void FindVenusSign1930To1959(const QString &year, const QString &month, const QString &day);
void FindVenusSign1960To1989(const QString &year, const QString &month, const QString &day);
void FindVenusSign1990To2012(const QString &year, const QString &month, const QString &day);

// The paragraph on how a person with Venus in the given sign loves, or nullopt
// unless the text is exactly one of the twelve sign names (case-sensitive, no
// trimming).
std::optional<QString> SignDescription(const QString &sign);

} // namespace modPlanetSign
