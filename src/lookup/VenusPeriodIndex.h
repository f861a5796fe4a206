// SPDX-License-Identifier: MIT
// The period starts regrouped at compile time by year and month, so that a
// lookup reads one small record and compares the day with at most two starts.
// The checks below stop the build if the table loses its shape.
#pragma once

#include "lookup/VenusPeriodStarts.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace modPlanetSign::detail {

inline constexpr int firstTableYear = 1930;
inline constexpr int lastTableYear = 2012;
inline constexpr int tableYearCount = lastTableYear - firstTableYear + 1;

// The periods that cover one month: the one in force on the 1st, then up to
// two that begin later in the month.
struct MonthPeriods {
    std::uint8_t count = 0; // 1 to 3
    std::array<std::uint8_t, 2> laterStartDays{};
    std::array<Sign, 3> signs{};
};

using MonthIndex = std::array<std::array<MonthPeriods, 12>, tableYearCount>;

constexpr bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr int daysInMonth(int year, int month)
{
    constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

constexpr bool comesBefore(const VenusPeriodStart &a, const VenusPeriodStart &b)
{
    if (a.year != b.year)
        return a.year < b.year;
    if (a.month != b.month)
        return a.month < b.month;
    return a.day < b.day;
}

constexpr bool everyYearOpensOnFirstOfJanuary()
{
    int expectedYear = firstTableYear;
    for (const VenusPeriodStart &start : venusPeriodStarts) {
        if (start.year == expectedYear) {
            if (start.month != 1 || start.day != 1)
                return false;
            ++expectedYear;
        }
    }
    return expectedYear == lastTableYear + 1 && venusPeriodStarts.back().year == lastTableYear;
}

constexpr bool startsStrictlyIncrease()
{
    for (std::size_t i = 1; i < venusPeriodStarts.size(); ++i) {
        if (!comesBefore(venusPeriodStarts[i - 1], venusPeriodStarts[i]))
            return false;
    }
    return true;
}

constexpr bool startDatesExist()
{
    for (const VenusPeriodStart &start : venusPeriodStarts) {
        if (start.month < 1 || start.month > 12 || start.day < 1
            || start.day > daysInMonth(start.year, start.month))
            return false;
    }
    return true;
}

constexpr bool yearsHoldTenToSixteenStarts()
{
    std::array<int, tableYearCount> counts{};
    for (const VenusPeriodStart &start : venusPeriodStarts)
        ++counts[static_cast<std::size_t>(start.year - firstTableYear)];
    for (int count : counts) {
        if (count < 10 || count > 16)
            return false;
    }
    return true;
}

constexpr bool atMostTwoStartsAfterTheFirstOfAMonth()
{
    int run = 0;
    for (std::size_t i = 0; i < venusPeriodStarts.size(); ++i) {
        const VenusPeriodStart &start = venusPeriodStarts[i];
        const bool sameMonthAsPrevious = i > 0 && venusPeriodStarts[i - 1].year == start.year
            && venusPeriodStarts[i - 1].month == start.month;
        if (!sameMonthAsPrevious)
            run = 0;
        if (start.day > 1 && ++run > 2)
            return false;
    }
    return true;
}

constexpr bool consecutiveStartsChangeSign()
{
    for (std::size_t i = 1; i < venusPeriodStarts.size(); ++i) {
        if (venusPeriodStarts[i - 1].year == venusPeriodStarts[i].year
            && venusPeriodStarts[i - 1].sign == venusPeriodStarts[i].sign)
            return false;
    }
    return true;
}

// Venus moves one sign forward or back at a time. The two January Cancer
// periods are the table's own and are let through by date.
constexpr bool isKnownJump(const VenusPeriodStart &start)
{
    return start.sign == Sign::Cancer && start.month == 1
        && ((start.year == 1949 && start.day == 14) || (start.year == 1973 && start.day == 12));
}

constexpr bool signsMoveOnePlace()
{
    for (std::size_t i = 1; i < venusPeriodStarts.size(); ++i) {
        const VenusPeriodStart &previous = venusPeriodStarts[i - 1];
        const VenusPeriodStart &start = venusPeriodStarts[i];
        if (previous.year != start.year || isKnownJump(previous) || isKnownJump(start))
            continue;
        const int step = (static_cast<int>(start.sign) - static_cast<int>(previous.sign) + signCount)
            % signCount;
        if (step != 1 && step != signCount - 1)
            return false;
    }
    return true;
}

static_assert(venusPeriodStarts.size() == 1135, "1135 period starts");
static_assert(everyYearOpensOnFirstOfJanuary(), "each year 1930-2012 once, opening on 1 January");
static_assert(startsStrictlyIncrease(), "start dates increase");
static_assert(startDatesExist(), "start dates exist in the calendar");
static_assert(yearsHoldTenToSixteenStarts(), "10 to 16 periods a year");
static_assert(atMostTwoStartsAfterTheFirstOfAMonth(), "at most two starts after the 1st a month");
static_assert(consecutiveStartsChangeSign(), "a period never repeats the sign before it");
static_assert(signsMoveOnePlace(), "signs move one place at a time");

constexpr MonthIndex buildMonthIndex()
{
    MonthIndex index{};
    std::size_t next = 0;
    Sign inForce = venusPeriodStarts.front().sign;
    for (int year = firstTableYear; year <= lastTableYear; ++year) {
        for (int month = 1; month <= 12; ++month) {
            while (next < venusPeriodStarts.size() && venusPeriodStarts[next].year == year
                   && (venusPeriodStarts[next].month < month
                       || (venusPeriodStarts[next].month == month && venusPeriodStarts[next].day == 1))) {
                inForce = venusPeriodStarts[next].sign;
                ++next;
            }
            MonthPeriods &periods = index[static_cast<std::size_t>(year - firstTableYear)]
                                         [static_cast<std::size_t>(month - 1)];
            periods.count = 1;
            periods.signs[0] = inForce;
            while (next < venusPeriodStarts.size() && venusPeriodStarts[next].year == year
                   && venusPeriodStarts[next].month == month) {
                inForce = venusPeriodStarts[next].sign;
                periods.laterStartDays[periods.count - 1] =
                    static_cast<std::uint8_t>(venusPeriodStarts[next].day);
                periods.signs[periods.count] = inForce;
                ++periods.count;
                ++next;
            }
        }
    }
    return index;
}

inline constexpr MonthIndex monthIndex = buildMonthIndex();

constexpr const MonthPeriods &periodsOf(int year, int month)
{
    return monthIndex[static_cast<std::size_t>(year - firstTableYear)][static_cast<std::size_t>(month - 1)];
}

} // namespace modPlanetSign::detail
