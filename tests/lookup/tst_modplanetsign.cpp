// SPDX-License-Identifier: MIT
#include "lookup/modPlanetSign.h"

#include <QHash>
#include <QStringList>
#include <QTest>

#include <array>

using modPlanetSign::LoveSign;

namespace {

using Lookup = void (*)(const QString &, const QString &, const QString &);
constexpr std::array<Lookup, 3> bands = {modPlanetSign::FindVenusSign1930To1959,
                                         modPlanetSign::FindVenusSign1960To1989,
                                         modPlanetSign::FindVenusSign1990To2012};

void findLoveSign(const QString &year, const QString &month, const QString &day)
{
    for (Lookup lookup : bands)
        lookup(year, month, day);
}

} // namespace

class tst_modPlanetSign : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { LoveSign.clear(); }

    void findGivesSign_data();
    void findGivesSign();
    void nonNumberTextRaises_data();
    void nonNumberTextRaises();
    void paragraphs_data();
    void paragraphs();
};

void tst_modPlanetSign::findGivesSign_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("sign");

    // Table borders and band borders.
    QTest::newRow("first day") << "1930" << "January" << "1" << "Capricorn";
    QTest::newRow("last day") << "2012" << "December" << "31" << "Sagittarius";
    QTest::newRow("1959 last day") << "1959" << "December" << "31" << "Scorpio";
    QTest::newRow("1960 first day") << "1960" << "January" << "1" << "Scorpio";
    QTest::newRow("1989 last day") << "1989" << "December" << "31" << "Aquarius";
    QTest::newRow("1990 first day") << "1990" << "January" << "1" << "Aquarius";
    // A start day belongs to the new sign, the day before to the old one.
    QTest::newRow("before a start") << "1930" << "January" << "24" << "Capricorn";
    QTest::newRow("on a start") << "1930" << "January" << "25" << "Aquarius";
    QTest::newRow("before start on 1st") << "1930" << "April" << "30" << "Taurus";
    QTest::newRow("start on 1st") << "1930" << "May" << "1" << "Gemini";
    QTest::newRow("before start on last") << "1945" << "August" << "30" << "Cancer";
    QTest::newRow("start on last") << "1945" << "August" << "31" << "Leo";
    QTest::newRow("start on 31 Dec") << "1945" << "December" << "31" << "Capricorn";
    QTest::newRow("before start on 31 Dec") << "1945" << "December" << "30" << "Sagittarius";
    // Two starts in one month, the first sign coming back.
    QTest::newRow("Jul 1932 13") << "1932" << "July" << "13" << "Cancer";
    QTest::newRow("Jul 1932 14") << "1932" << "July" << "14" << "Gemini";
    QTest::newRow("Jul 1932 28") << "1932" << "July" << "28" << "Gemini";
    QTest::newRow("Jul 1932 29") << "1932" << "July" << "29" << "Cancer";
    // A sign carried from an earlier month into the next.
    QTest::newRow("31 May 1945") << "1945" << "May" << "31" << "Aries";
    QTest::newRow("4 Jun 1945") << "1945" << "June" << "4" << "Aries";
    QTest::newRow("5 Jun 1945") << "1945" << "June" << "5" << "Taurus";
    QTest::newRow("1 Jan 1934") << "1934" << "January" << "1" << "Aquarius";
    QTest::newRow("6 Apr 1934") << "1934" << "April" << "6" << "Aquarius";
    QTest::newRow("7 Apr 1934") << "1934" << "April" << "7" << "Pisces";
    // The year's own 1 January entry wins over the sign of 31 December.
    QTest::newRow("31 Dec 1976") << "1976" << "December" << "31" << "Aquarius";
    QTest::newRow("1 Jan 1977") << "1977" << "January" << "1" << "Pisces";
    QTest::newRow("January Cancer 1949") << "1949" << "January" << "20" << "Cancer";
    QTest::newRow("January Cancer 1973") << "1973" << "January" << "12" << "Cancer";
    QTest::newRow("29 Feb 2000") << "2000" << "February" << "29" << "Aquarius";
    QTest::newRow("29 Feb 1932") << "1932" << "February" << "29" << "Aries";
    // In a one-sign month the day text is never read.
    QTest::newRow("one-sign month, day 1") << "1943" << "August" << "1" << "Virgo";
    QTest::newRow("one-sign month, day 31") << "1943" << "August" << "31" << "Virgo";
    QTest::newRow("one-sign month, bad day") << "1943" << "August" << "x" << "Virgo";
    QTest::newRow("one-sign month, empty day") << "1943" << "August" << "" << "Virgo";
    // Number texts in other forms.
    QTest::newRow("year with blanks") << " 1930\t" << "January" << "25" << "Aquarius";
    QTest::newRow("year with zeros") << "001930" << "January" << "25" << "Aquarius";
    QTest::newRow("year with plus") << "+1930" << "January" << "25" << "Aquarius";
    QTest::newRow("year with many zeros") << "0000000001930" << "January" << "25" << "Aquarius";
    QTest::newRow("day with blanks") << "1930" << "January" << " 24 " << "Capricorn";
    QTest::newRow("day with zeros") << "1930" << "January" << "0025" << "Aquarius";
    QTest::newRow("day with plus") << "1930" << "January" << "+25" << "Aquarius";
    // Days outside the month fall in its first or last period.
    QTest::newRow("day 0") << "1930" << "January" << "0" << "Capricorn";
    QTest::newRow("negative day") << "1932" << "July" << "-5" << "Cancer";
    QTest::newRow("lowest int day") << "1932" << "July" << "-2147483648" << "Cancer";
    QTest::newRow("31 February") << "1930" << "February" << "31" << "Pisces";
    QTest::newRow("day 32, third period") << "1932" << "July" << "32" << "Cancer";
    QTest::newRow("day 99, second period") << "1930" << "January" << "99" << "Aquarius";
    // Dates the table does not hold leave the sign as it was.
    const QString unchanged;
    QTest::newRow("1929") << "1929" << "December" << "31" << unchanged;
    QTest::newRow("2013") << "2013" << "January" << "1" << unchanged;
    QTest::newRow("year 0") << "0" << "January" << "1" << unchanged;
    QTest::newRow("negative year") << "-1930" << "January" << "1" << unchanged;
    QTest::newRow("nine digits") << "999999999" << "January" << "1" << unchanged;
    QTest::newRow("largest int") << "2147483647" << "January" << "1" << unchanged;
    QTest::newRow("lower case") << "1930" << "january" << "25" << unchanged;
    QTest::newRow("upper case") << "1930" << "JANUARY" << "25" << unchanged;
    QTest::newRow("abbreviation") << "1930" << "Jan" << "25" << unchanged;
    QTest::newRow("blank month") << "1930" << " January" << "25" << unchanged;
    QTest::newRow("empty month") << "1930" << "" << "25" << unchanged;
    // The month is checked before the day is read.
    QTest::newRow("bad day, bad month") << "1930" << "Janvier" << "x" << unchanged;
    QTest::newRow("bad day, far year") << "2013" << "January" << "x" << unchanged;
}

// As the first search, and after a find; one band at most answers.
void tst_modPlanetSign::findGivesSign()
{
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(QString, sign);

    for (const QString &before : {QString(), QStringLiteral("Leo")}) {
        LoveSign = before;
        findLoveSign(year, month, day);
        QCOMPARE(LoveSign, sign.isNull() ? before : sign);
    }
    int answers = 0;
    for (Lookup lookup : bands) {
        LoveSign.clear();
        lookup(year, month, day);
        answers += LoveSign.isEmpty() ? 0 : 1;
    }
    QCOMPARE(answers, sign.isNull() ? 0 : 1);
}

void tst_modPlanetSign::nonNumberTextRaises_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QList<bool>>("bandRaises");

    const QList<bool> all = {true, true, true};
    QTest::newRow("letters as year") << "abc" << "January" << "1" << all;
    QTest::newRow("empty year") << "" << "January" << "1" << all;
    QTest::newRow("blank year") << "  " << "January" << "1" << all;
    QTest::newRow("year before month") << "abc" << "january" << "1" << all;
    QTest::newRow("decimal year") << "1930.0" << "January" << "1" << all;
    QTest::newRow("exponent year") << "2e3" << "January" << "1" << all;
    QTest::newRow("blank inside year") << "19 30" << "January" << "1" << all;
    QTest::newRow("blank after sign") << "+ 1930" << "January" << "1" << all;
    QTest::newRow("two signs") << "--1930" << "January" << "1" << all;
    QTest::newRow("sign alone") << "-" << "January" << "1" << all;
    QTest::newRow("wide digits") << QString::fromUtf8("１９３０") << "January" << "1" << all;
    QTest::newRow("year beyond int") << "2147483648" << "January" << "1" << all;
    QTest::newRow("long digit run") << "19301930193019301930" << "January" << "1" << all;

    // Only the band holding the year reads the day.
    QTest::newRow("letters as day") << "1930" << "January" << "x" << QList<bool>{true, false, false};
    QTest::newRow("empty day") << "1975" << "March" << "" << QList<bool>{false, true, false};
    QTest::newRow("day beyond int") << "2012" << "December" << "2147483648"
                                    << QList<bool>{false, false, true};
    QTest::newRow("decimal day") << "1932" << "July" << "14.5" << QList<bool>{true, false, false};
}

void tst_modPlanetSign::nonNumberTextRaises()
{
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(QList<bool>, bandRaises);

    for (int band = 0; band < int(bands.size()); ++band) {
        LoveSign = QStringLiteral("Leo");
        bool raised = false;
        try {
            bands[band](year, month, day);
        } catch (const std::exception &) {
            raised = true;
        }
        QCOMPARE(raised, bandRaises.at(band));
        QCOMPARE(LoveSign, QStringLiteral("Leo"));
    }

    QVERIFY_THROWS_EXCEPTION(modPlanetSign::ConversionError, findLoveSign(year, month, day));
}

// Each sign's paragraph by its length, and by its whole text where the test
// has it; any other text has none.
void tst_modPlanetSign::paragraphs_data()
{
    QTest::addColumn<QString>("sign");
    QTest::addColumn<int>("length"); // -1: no paragraph
    QTest::addColumn<QString>("text"); // null: not compared

    // The paragraphs written out here; the others are checked by their length.
    const QHash<QString, QString> written = {
        {"Cancer", "You are very sensitive by nature and tend to get easily hurt in relationships. You are very "
                   "compassionate and are usually the nurturing part of the relationship. You would like your partner "
                   "to express his/ her love. You need to be less sensitive and less emotionally demanding if you "
                   "want your relationship to work out."},
        {"Leo", "You are very showy about your relationships but in fact you are very warm and loving. You are very "
                "expressive and have a magnetic charm that attracts people to you. You love to lavish your partner "
                "with luxuries and gifts. You believe in a single and stable relationship and take break ups very "
                "hard."},
        {"Sagittarius", "You have a very happy and outgoing nature. But you don't have the tendency to get into "
                        "serious relationships. You prefer casual relationships and scared to get committed as this "
                        "may mean loss of freedom to you. You are a good friend and that's the key to your "
                        "relationship."},
        {"Pisces", "You are very soft and loving by nature. You may search for a deeper meaning in your "
                   "relationships. You are very vulnerable and dependent on your partner. Your sensitiveness may lead "
                   "to you getting hurt. You have true love for art, music and poetry."},
    };
    const QList<std::pair<QString, int>> lengths = {
        {"Aries", 304}, {"Taurus", 280},  {"Gemini", 281},      {"Cancer", 319},    {"Leo", 299},      {"Virgo", 279},
        {"Libra", 271}, {"Scorpio", 227}, {"Sagittarius", 273}, {"Capricorn", 243}, {"Aquarius", 276}, {"Pisces", 248},
    };
    for (const auto &[sign, length] : lengths)
        QTest::newRow(qPrintable(sign)) << sign << length << written.value(sign);

    const QString lengthOnly;
    const int none = -1;
    QTest::newRow("empty") << QString() << none << lengthOnly;
    QTest::newRow("lower case") << "cancer" << none << lengthOnly;
    QTest::newRow("upper case") << "LEO" << none << lengthOnly;
    QTest::newRow("blank before") << " Leo" << none << lengthOnly;
    QTest::newRow("blank after") << "Leo " << none << lengthOnly;
    QTest::newRow("line break after") << "Pisces\n" << none << lengthOnly;
    QTest::newRow("NUL after") << QString("Leo") + QChar(0) << none << lengthOnly;
    QTest::newRow("prefix") << "Sagittari" << none << lengthOnly;
    QTest::newRow("longer") << "Sagittariuss" << none << lengthOnly;
    QTest::newRow("misspelt") << "Sagitarius" << none << lengthOnly;
    QTest::newRow("month name") << "January" << none << lengthOnly;
}

void tst_modPlanetSign::paragraphs()
{
    QFETCH(QString, sign);
    QFETCH(int, length);
    QFETCH(QString, text);

    const std::optional<QString> paragraph = modPlanetSign::SignDescription(sign);
    if (length < 0) {
        QCOMPARE(paragraph, std::nullopt);
        return;
    }
    QVERIFY(paragraph.has_value());
    QCOMPARE(paragraph->size(), length);
    QVERIFY(paragraph->startsWith(QLatin1String("You ")));
    QVERIFY(paragraph->endsWith(QLatin1Char('.')));
    QVERIFY(!paragraph->contains(QLatin1Char('\n')));
    QVERIFY(!paragraph->contains(QLatin1String("  ")));
    if (!text.isNull())
        QCOMPARE(*paragraph, text);
}

QTEST_APPLESS_MAIN(tst_modPlanetSign)
#include "tst_modplanetsign.moc"
