// SPDX-License-Identifier: MIT
// Checks the built-in Venus table against the sky: for every day from 1930 to
// 2012 the sign the lookup gives is compared with the sign Venus stood in at
// 00:00 UT, computed with libnova (VSOP87). The days on which the published
// table departs from the sky are pinned below, so any change to the table or
// to the lookup fails the year it touches and names the day.
#include "lookup/modPlanetSign.h"

#include <libnova/precession.h>
#include <libnova/transform.h>
#include <libnova/venus.h>

#include <QDate>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

using modPlanetSign::LoveSign;

namespace {

const QDate firstDay(1930, 1, 1);
const QDate lastDay(2012, 12, 31);

const QStringList signNames = {"Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
                               "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

const QStringList monthNames = {"January", "February", "March",     "April",   "May",      "June",
                                "July",    "August",   "September", "October", "November", "December"};

// The runs of days on which the published table departs from the sky, each
// with the sign the table gives there.
struct Departure {
    const char *first;
    const char *last;
    const char *publishedSign;
};

constexpr std::array<Departure, 22> departures = {{
    {"1949-01-14", "1949-02-06", "Cancer"},
    {"1949-04-20", "1949-04-29", "Aries"},
    {"1961-12-29", "1961-12-29", "Sagittarius"},
    {"1962-09-07", "1962-09-07", "Libra"},
    {"1973-01-12", "1973-02-04", "Cancer"},
    {"1977-01-01", "1977-01-04", "Pisces"},
    {"1977-01-05", "1977-02-02", "Aries"},
    {"1977-02-03", "1977-06-06", "Taurus"},
    {"1977-06-07", "1977-07-06", "Gemini"},
    {"1977-07-07", "1977-08-02", "Cancer"},
    {"1977-08-03", "1977-08-28", "Leo"},
    {"1977-08-29", "1977-09-22", "Virgo"},
    {"1977-09-23", "1977-10-17", "Libra"},
    {"1977-10-18", "1977-11-10", "Scorpio"},
    {"1977-11-11", "1977-12-04", "Sagittarius"},
    {"1977-12-05", "1977-12-27", "Capricorn"},
    {"1977-12-28", "1978-01-20", "Aquarius"},
    {"1981-10-09", "1981-10-09", "Scorpio"},
    {"1983-08-28", "1983-10-05", "Libra"},
    {"1987-07-31", "1987-07-31", "Cancer"},
    {"1993-12-03", "1993-12-22", "Scorpio"},
    {"2005-02-27", "2005-02-28", "Aquarius"},
}};

constexpr int departingDayCount = 508;

QDate isoDate(const char *text)
{
    return QDate::fromString(QLatin1String(text), Qt::ISODate);
}

// The pinned sign for a departing day, or an empty text on a day where the
// table agrees with the sky.
QString publishedDeparture(QDate date)
{
    struct Run {
        QDate first;
        QDate last;
        QString sign;
    };
    static const std::vector<Run> runs = [] {
        std::vector<Run> parsed;
        for (const Departure &departure : departures)
            parsed.push_back({isoDate(departure.first), isoDate(departure.last), departure.publishedSign});
        return parsed;
    }();
    for (const Run &run : runs) {
        if (run.first <= date && date <= run.last)
            return run.sign;
    }
    return {};
}

// Venus's geocentric ecliptic longitude, referred to the ecliptic and equinox
// of date, in degrees from 0 to 360. libnova gives J2000 coordinates; without
// the precession to the day the longitude is up to a degree off in 1930.
double venusLongitude(double julianDay)
{
    ln_equ_posn j2000{};
    ln_equ_posn ofDate{};
    ln_lnlat_posn ecliptic{};
    ln_get_venus_equ_coords(julianDay, &j2000);
    ln_get_equ_prec(&j2000, julianDay, &ofDate);
    ln_get_ecl_from_equ(&ofDate, julianDay, &ecliptic);
    return ecliptic.lng;
}

int signAt(double longitude)
{
    return int(std::floor(longitude / 30.0)) % 12;
}

// Degrees from the longitude to the nearer border of its sign.
double toNearerCusp(double longitude)
{
    const double intoSign = std::fmod(longitude, 30.0);
    return std::min(intoSign, 30.0 - intoSign);
}

double signedDifference(double from, double to)
{
    return std::remainder(to - from, 360.0);
}

// Venus's sign at 00:00 UT on each of `dayCount` days from `first`.
//
// A position costs about a tenth of a millisecond, so not every day is
// computed: the sign of a day between two computed days is settled by bounds
// on Venus's motion, and where they cannot settle it the days in between are
// computed too. Seen from the Earth Venus never moves faster than about 1.26
// degrees a day, and its daily motion never changes by more than about 0.043
// degrees in a day; the bounds below leave a margin on both. Setting
// `sampleStep` to 1 computes every day and gives the same signs.
class SkySigns
{
public:
    static constexpr int sampleStep = 16;
    static constexpr double maxSpeed = 1.3;        // degrees a day
    static constexpr double maxAcceleration = 0.06; // degrees a day, per day

    SkySigns(QDate first, int dayCount)
        : firstJulianDay(double(first.toJulianDay()) - 0.5),
          longitudes(std::size_t(dayCount), std::nan("")), signs(std::size_t(dayCount), -1)
    {
        for (int day = 0; day < dayCount - 1; day += sampleStep)
            settle(day, std::min(day + sampleStep, dayCount - 1));
        if (dayCount == 1)
            longitudeOf(0);
    }

    // -1 for a day the search failed to settle.
    int sign(int day) const { return signs[std::size_t(day)]; }

private:
    double longitudeOf(int day)
    {
        double &longitude = longitudes[std::size_t(day)];
        if (std::isnan(longitude)) {
            longitude = venusLongitude(firstJulianDay + day);
            signs[std::size_t(day)] = signAt(longitude);
        }
        return longitude;
    }

    // Fills in the signs of the days after `from` and before `to`.
    void settle(int from, int to)
    {
        const double atFrom = longitudeOf(from);
        const double atTo = longitudeOf(to);
        const int span = to - from;
        if (span <= 1)
            return;

        // Some moment in between moves at the mean speed (mean value theorem),
        // and no moment differs from it by more than maxAcceleration * span:
        // if that cannot reach zero, Venus does not turn round in between.
        const double move = signedDifference(atFrom, atTo);
        const bool oneWay = std::abs(move) / span > maxAcceleration * span;

        // Leaving the sign and coming back takes at least the way out to a
        // cusp and the way back from one.
        const bool cannotLeave = toNearerCusp(atFrom) + toNearerCusp(atTo) > maxSpeed * span;

        if (signAt(atFrom) == signAt(atTo) && (oneWay || cannotLeave)) {
            for (int day = from + 1; day < to; ++day)
                signs[std::size_t(day)] = signAt(atFrom);
            return;
        }

        if (oneWay) {
            // One cusp is crossed (less than 30 degrees in one direction):
            // compute the day before and the day after the crossing, as
            // predicted from the mean motion.
            const double cusp = move > 0 ? 30.0 * std::floor(atFrom / 30.0) + 30.0
                                         : 30.0 * std::floor(atFrom / 30.0);
            const double fraction = std::abs(cusp - atFrom) / std::abs(move);
            const int before = std::clamp(from + int(std::floor(fraction * span)), from, to - 1);
            settle(from, before);
            settle(before, before + 1);
            settle(before + 1, to);
            return;
        }

        const int middle = from + span / 2;
        settle(from, middle);
        settle(middle, to);
    }

    double firstJulianDay;
    std::vector<double> longitudes;
    std::vector<int> signs;
};

// The sign the program finds for a date: all three lookups, in the order the
// entry window calls them.
QString lookUp(QDate date)
{
    LoveSign.clear();
    const QString year = QString::number(date.year());
    const QString month = monthNames.at(date.month() - 1);
    const QString day = QString::number(date.day());
    modPlanetSign::FindVenusSign1930To1959(year, month, day);
    modPlanetSign::FindVenusSign1960To1989(year, month, day);
    modPlanetSign::FindVenusSign1990To2012(year, month, day);
    return LoveSign;
}

} // namespace

class tst_VenusSky : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { LoveSign.clear(); }

    void pinnedDeparturesAddUp();
    void everyDayAgreesWithTheSkyOrIsPinned_data();
    void everyDayAgreesWithTheSkyOrIsPinned();

private:
    std::vector<QString> skySigns;
};

void tst_VenusSky::initTestCase()
{
    const int dayCount = int(firstDay.daysTo(lastDay)) + 1;
    const SkySigns sky(firstDay, dayCount);
    skySigns.reserve(std::size_t(dayCount));
    for (int day = 0; day < dayCount; ++day) {
        if (sky.sign(day) < 0)
            QFAIL(qPrintable("no sign for " + firstDay.addDays(day).toString(Qt::ISODate)));
        skySigns.push_back(signNames.at(sky.sign(day)));
    }
}

void tst_VenusSky::pinnedDeparturesAddUp()
{
    qint64 days = 0;
    QDate previousLast;
    for (const Departure &departure : departures) {
        const QDate first = isoDate(departure.first);
        const QDate last = isoDate(departure.last);
        QVERIFY2(first.isValid() && last.isValid() && first <= last, departure.first);
        QVERIFY2(!previousLast.isValid() || previousLast < first, departure.first);
        QVERIFY2(signNames.contains(QLatin1String(departure.publishedSign)), departure.publishedSign);
        days += first.daysTo(last) + 1;
        previousLast = last;
    }
    QCOMPARE(days, qint64(departingDayCount));
}

void tst_VenusSky::everyDayAgreesWithTheSkyOrIsPinned_data()
{
    QTest::addColumn<int>("year");
    for (int year = firstDay.year(); year <= lastDay.year(); ++year)
        QTest::addRow("%d", year) << year;
}

// A day the table does not pin must give the sky's sign; a pinned day must
// give the published sign, and that must still differ from the sky's.
void tst_VenusSky::everyDayAgreesWithTheSkyOrIsPinned()
{
    QFETCH(int, year);

    QStringList faults;
    for (QDate date(year, 1, 1); date.year() == year; date = date.addDays(1)) {
        const QString sky = skySigns.at(std::size_t(firstDay.daysTo(date)));
        const QString found = lookUp(date);
        const QString published = publishedDeparture(date);
        const QString day = date.toString(Qt::ISODate);
        if (published.isEmpty() && found != sky)
            faults << QString("%1: the lookup gives %2, the sky %3").arg(day, found, sky);
        else if (!published.isEmpty() && found != published)
            faults << QString("%1: the lookup gives %2, the published table %3").arg(day, found, published);
        else if (!published.isEmpty() && found == sky)
            faults << QString("%1: pinned as departing, but the lookup and the sky both give %2").arg(day, sky);
    }
    if (faults.size() > 10) {
        const qsizetype more = faults.size() - 10;
        faults.resize(10);
        faults << QString("and %1 more days").arg(more);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1String("; "))));
}

QTEST_APPLESS_MAIN(tst_VenusSky)
#include "tst_venussky.moc"
