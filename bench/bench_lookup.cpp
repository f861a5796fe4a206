// SPDX-License-Identifier: MIT
// Time of one sweep over every day the table covers, each day found the way
// the entry window finds it: all three lookups, in order.
#include "lookup/modPlanetSign.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <QTest>

struct DateTexts {
    QString year;
    QString month;
    QString day;
};

class bench_lookup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sweepEveryDay();

private:
    QList<DateTexts> dates;
};

void bench_lookup::initTestCase()
{
    const QStringList months = {"January", "February", "March",     "April",   "May",      "June",
                                "July",    "August",   "September", "October", "November", "December"};
    for (QDate date(1930, 1, 1); date <= QDate(2012, 12, 31); date = date.addDays(1))
        dates.append({QString::number(date.year()), months.at(date.month() - 1), QString::number(date.day())});
    QCOMPARE(dates.size(), 30316);
}

void bench_lookup::sweepEveryDay()
{
    QBENCHMARK {
        for (const DateTexts &date : std::as_const(dates)) {
            modPlanetSign::FindVenusSign1930To1959(date.year, date.month, date.day);
            modPlanetSign::FindVenusSign1960To1989(date.year, date.month, date.day);
            modPlanetSign::FindVenusSign1990To2012(date.year, date.month, date.day);
        }
    }
    QCOMPARE(modPlanetSign::LoveSign, QStringLiteral("Sagittarius"));
}

QTEST_APPLESS_MAIN(bench_lookup)
#include "bench_lookup.moc"
