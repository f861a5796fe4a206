// SPDX-License-Identifier: MIT
#include "common/Fakes.h"
#include "links/modHelp.h"

#include <QtTest>

using Operation = void (*)();
Q_DECLARE_METATYPE(Operation)

class LinksTest : public QObject
{
    Q_OBJECT

private slots:
    void operationOpensItsPageEachTime_data();
    void operationOpensItsPageEachTime();
    void labelTextsShowTheSite();
};

void LinksTest::operationOpensItsPageEachTime_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("address");

    const QString pages = QStringLiteral(AMORIAL_SITE "/amorial/ssd.php?page=");
    QTest::newRow("home") << Operation(modHelp::OpenHomePage) << pages + "home-page";
    QTest::newRow("help") << Operation(modHelp::OpenHelpPage) << pages + "help-web-page";
    QTest::newRow("download") << Operation(modHelp::OpenDownloadPage) << pages + "download-web-page";
    QTest::newRow("donate") << Operation(modHelp::OpenDonatePage) << pages + "donate";
    QTest::newRow("co-brand") << Operation(modHelp::OpenCoBrandPage) << pages + "co-brand";
    QTest::newRow("fully branded") << Operation(modHelp::OpenFullyBrandedPage) << pages + "fully-branded";
}

void LinksTest::operationOpensItsPageEachTime()
{
    QFETCH(Operation, operation);
    QFETCH(QString, address);
    FakeUrlOpener opener;
    platform::ScopedSeam<platform::UrlOpener> seam(opener);

    operation();
    operation();

    // Repeats are not suppressed, and the address goes out exactly as built.
    QCOMPARE(opener.opened, (QStringList{address, address}));
    QCOMPARE(modHelp::PageAddress(QStringLiteral("x")), QStringLiteral(AMORIAL_SITE "/amorial/ssd.php?page=x"));
}

void LinksTest::labelTextsShowTheSite()
{
    const QString host = QUrl(QStringLiteral(AMORIAL_SITE)).host();
    QVERIFY(!host.isEmpty());
    QVERIFY(modHelp::DiscussionBoardBanner().startsWith(
        "The Most Popular Online Vesperin Discussion Board. Best Resource For Everything Vesperin. Visit " + host));
    QVERIFY(modHelp::DiscussionBoardBanner().endsWith(" Now"));
    QCOMPARE(modHelp::HomePageInvitation(), "Click here to visit " + host);
}

QTEST_GUILESS_MAIN(LinksTest)
#include "tst_links.moc"
