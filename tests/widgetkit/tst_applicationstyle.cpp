// SPDX-License-Identifier: MIT
#include "widgetkit/ApplicationStyle.h"

#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTest>

#include <memory>

class ApplicationStyleTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    // First: once any image is read, the plugins stay loaded for the process.
    void menuBarLoadsNoImagePlugin();
    void extensionIconsDrawAsThePlatformStyleDraws_data();
    void extensionIconsDrawAsThePlatformStyleDraws();
    void keepsTheStyleChosenForTheApplication();
};

namespace {

bool imagePluginLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/maps");
    return maps.readAll().contains("/imageformats/");
}

} // namespace

void ApplicationStyleTest::initTestCase()
{
    useApplicationStyle();
    QVERIFY(qobject_cast<ApplicationStyle *>(QApplication::style()));
}

void ApplicationStyleTest::menuBarLoadsNoImagePlugin()
{
    QVERIFY(!imagePluginLoaded());
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!imagePluginLoaded());
}

void ApplicationStyleTest::extensionIconsDrawAsThePlatformStyleDraws_data()
{
    QTest::addColumn<QStyle::StandardPixmap>("which");
    QTest::addColumn<int>("size");
    QTest::newRow("horizontal, 16 px") << QStyle::SP_ToolBarHorizontalExtensionButton << 16;
    QTest::newRow("vertical, 16 px") << QStyle::SP_ToolBarVerticalExtensionButton << 16;
    QTest::newRow("horizontal, 32 px") << QStyle::SP_ToolBarHorizontalExtensionButton << 32;
}

void ApplicationStyleTest::extensionIconsDrawAsThePlatformStyleDraws()
{
    QFETCH(QStyle::StandardPixmap, which);
    QFETCH(int, size);
    const auto *style = qobject_cast<QProxyStyle *>(QApplication::style());
    QVERIFY(style);
    const std::unique_ptr<QStyle> platform(QStyleFactory::create(style->baseStyle()->name()));
    QVERIFY(platform);
    const QImage expected = platform->standardIcon(which).pixmap(size).toImage();
    QVERIFY(!expected.isNull());

    const QIcon deferred = QApplication::style()->standardIcon(which);
    QCOMPARE(deferred.pixmap(size).toImage(), expected);
    QCOMPARE(deferred.actualSize(QSize(size, size)), platform->standardIcon(which).actualSize(QSize(size, size)));
}

// As with -style windows on the command line.
void ApplicationStyleTest::keepsTheStyleChosenForTheApplication()
{
    QApplication::setStyle(QStringLiteral("Windows"));
    useApplicationStyle();
    const auto *style = qobject_cast<ApplicationStyle *>(QApplication::style());
    QVERIFY(style);
    QCOMPARE(style->baseStyle()->name(), QStringLiteral("windows"));
}

QTEST_MAIN(ApplicationStyleTest)
#include "tst_applicationstyle.moc"
