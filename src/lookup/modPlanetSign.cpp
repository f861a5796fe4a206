// SPDX-License-Identifier: MIT
#include "lookup/modPlanetSign.h"

#include "lookup/VenusPeriodIndex.h"

#include <QStringView>

#include <array>
#include <cstdint>
#include <limits>

namespace modPlanetSign {

QString LoveSign;

ConversionError::ConversionError(const QString &text)
    : std::runtime_error("not a number: \"" + text.toStdString() + '"')
{
}

namespace {

using detail::MonthPeriods;
using detail::Sign;

int toNumberInAnyForm(const QString &text)
{
    QStringView digits = QStringView(text).trimmed();
    const bool negative = digits.startsWith(u'-');
    if (negative || digits.startsWith(u'+'))
        digits = digits.sliced(1);
    if (digits.isEmpty())
        throw ConversionError(text);

    const std::int64_t limit = std::int64_t(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    std::int64_t value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            throw ConversionError(text);
        value = value * 10 + (c.unicode() - u'0');
        if (value > limit)
            throw ConversionError(text);
    }
    return int(negative ? -value : value);
}

int toNumber(const QString &text)
{
    // The entry window's lists give a few plain digits: read those directly.
    constexpr qsizetype digitsThatFitAnInt = 9;
    if (text.size() > 0 && text.size() <= digitsThatFitAnInt) {
        int value = 0;
        for (QChar c : text) {
            const unsigned digit = c.unicode() - unsigned(u'0');
            if (digit > 9)
                return toNumberInAnyForm(text);
            value = value * 10 + int(digit);
        }
        return value;
    }
    return toNumberInAnyForm(text);
}

// 1 to 12, or 0 for a text that is not exactly a month name.
int monthNumber(const QString &month)
{
    static constexpr std::array<QStringView, 12> names = {
        u"January", u"February", u"March",     u"April",   u"May",      u"June",
        u"July",    u"August",   u"September", u"October", u"November", u"December",
    };
    for (std::size_t i = 0; i < names.size(); ++i) {
        // Length and first letter settle most mismatches without a full comparison.
        if (month.size() == names[i].size() && month.front() == names[i].front() && month == names[i])
            return int(i) + 1;
    }
    return 0;
}

// Shared texts over static data, so that setting LoveSign allocates nothing.
const QString &signText(Sign sign)
{
    static const std::array<QString, detail::signCount> texts = [] {
        std::array<QString, detail::signCount> result;
        for (std::size_t i = 0; i < result.size(); ++i)
            result[i] = QString::fromRawData(detail::signNames[i].data(), detail::signNames[i].size());
        return result;
    }();
    return texts[static_cast<std::size_t>(sign)];
}

Sign signOnDay(const MonthPeriods &periods, const QString &dayText)
{
    if (periods.count == 1)
        return periods.signs[0];
    const int day = toNumber(dayText);
    if (day < periods.laterStartDays[0])
        return periods.signs[0];
    if (periods.count == 2 || day < periods.laterStartDays[1])
        return periods.signs[1];
    return periods.signs[2];
}

constexpr int firstYearOfFirstBand = 1930;
constexpr int lastYearOfLastBand = 2012;
static_assert(firstYearOfFirstBand == detail::firstTableYear && lastYearOfLastBand == detail::lastTableYear);

void findInBand(int firstYear, int lastYear, const QString &yearText, const QString &monthText,
                const QString &dayText)
{
    const int year = toNumber(yearText);
    if (year < firstYear || year > lastYear)
        return;
    const int month = monthNumber(monthText);
    if (month == 0)
        return;
    LoveSign = signText(signOnDay(detail::periodsOf(year, month), dayText));
}

} // namespace

void FindVenusSign1930To1959(const QString &year, const QString &month, const QString &day)
{
    findInBand(firstYearOfFirstBand, 1959, year, month, day);
}

void FindVenusSign1960To1989(const QString &year, const QString &month, const QString &day)
{
    findInBand(1960, 1989, year, month, day);
}

void FindVenusSign1990To2012(const QString &year, const QString &month, const QString &day)
{
    findInBand(1990, lastYearOfLastBand, year, month, day);
}

} // namespace modPlanetSign
