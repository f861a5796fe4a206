// SPDX-License-Identifier: MIT
// The twelve signs in zodiac order, with the names the program shows.
#pragma once

#include <QStringView>

#include <array>
#include <cstdint>

namespace modPlanetSign::detail {

enum class Sign : std::uint8_t {
    Aries,
    Taurus,
    Gemini,
    Cancer,
    Leo,
    Virgo,
    Libra,
    Scorpio,
    Sagittarius,
    Capricorn,
    Aquarius,
    Pisces,
};

inline constexpr int signCount = 12;

inline constexpr std::array<QStringView, signCount> signNames = {
    u"Aries", u"Taurus", u"Gemini",      u"Cancer",    u"Leo",      u"Virgo",
    u"Libra", u"Scorpio", u"Sagittarius", u"Capricorn", u"Aquarius", u"Pisces",
};

} // namespace modPlanetSign::detail
