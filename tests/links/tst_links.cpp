// SPDX-License-Identifier: MIT
#include "common/Fakes.h"
#include "common/Site.h"
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
};

void LinksTest::operationOpensItsPageEachTime_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("address");

    QTest::newRow("home") << Operation(modHelp::OpenHomePage) << pageAddress("home-page");
    QTest::newRow("help") << Operation(modHelp::OpenHelpPage) << pageAddress("help-web-page");
    QTest::newRow("download") << Operation(modHelp::OpenDownloadPage) << pageAddress("download-web-page");
    QTest::newRow("donate") << Operation(modHelp::OpenDonatePage) << pageAddress("donate");
    QTest::newRow("co-brand") << Operation(modHelp::OpenCoBrandPage) << pageAddress("co-brand");
    QTest::newRow("fully branded") << Operation(modHelp::OpenFullyBrandedPage) << pageAddress("fully-branded");
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
    // The site this build is made for has a host that the windows' texts name.
    QVERIFY(!SiteHost.isEmpty());
}

QTEST_GUILESS_MAIN(LinksTest)
#include "tst_links.moc"
