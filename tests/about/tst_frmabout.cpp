// SPDX-License-Identifier: MIT
// The About window: its frame, the ways to close it, its links, and that it
// blocks the window beneath while it is open (its design is tests/design's). Every test opens it through
// ShowModal and acts on it from a timer while ShowModal waits.
#include "common/GuiFixture.h"
#include "common/Layout.h"
#include "common/Site.h"
#include "widgetkit/LoadedForms.h"

#include "about/frmAbout.h"
#include "app/modMain.h"
#include "entry/frmMain.h"
#include "resources/Artwork.h"
#include "result/frmDisplay.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

struct AboutRun
{
    bool opened = false;
    // Whatever the step did closed the window.
    bool closedByStep = false;
};

// Opens the About window and runs step on it while ShowModal waits. A window the
// step leaves open is closed afterwards, so the test always goes on.
AboutRun whileAboutOpen(const std::function<void(frmAbout *)> &step)
{
    AboutRun run;
    QTimer::singleShot(0, [&run, &step] {
        QPointer<frmAbout> about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        run.opened = !about.isNull();
        if (!about)
            return;
        QTRY_COMPARE(QApplication::activeWindow(), about.data());
        step(about);
        run.closedByStep = about.isNull() || !about->isVisible();
        if (!run.closedByStep)
            about->reject();
    });
    QObject rescue; // the timer goes with it
    QTimer::singleShot(20000, &rescue, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    frmAbout::ShowModal();
    return run;
}

} // namespace

class TestAboutWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void window();
    void closes_data();
    void closes();
    void linksOpenPagesAndLeaveItOpen();
    void blocksTheWindowBeneath();
    void looksTheSameEveryTime();
    void endProgramUnloadsIt();

private:
    GuiFixture fixture_;
    QPointer<frmDisplay> owner;
};

void TestAboutWindow::init()
{
    fixture_.start();
    owner = fixture_.show(new frmDisplay);
    QVERIFY(owner->isActiveWindow());
}

void TestAboutWindow::cleanup()
{
    flushDeferredDeletes();
    for (QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY2(!qobject_cast<frmAbout *>(widget), "an About window outlived ShowModal");
    fixture_.finish();
}

void TestAboutWindow::window()
{
    const AboutRun run = whileAboutOpen([](frmAbout *about) {
        const Qt::WindowFlags flags = about->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        const Qt::WindowFlags boxes = Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint
                                      | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint;
        QCOMPARE(flags & boxes, Qt::WindowCloseButtonHint); // the close box alone
        QCOMPARE(about->size(), QSize(twipsToPixels(6345), twipsToPixels(3960)));
        QCOMPARE(about->minimumSize(), about->size());
        QCOMPARE(about->maximumSize(), about->size());

        QCOMPARE(QApplication::focusWidget(), control<QPushButton>(about, "cmdOK"));
        QVERIFY(control<QPushButton>(about, "cmdOK")->isDefault());
        // 32 x 32 on the screen, from as many image pixels as the screen has there.
        const QPixmap picture = control<QLabel>(about, "picIcon")->pixmap();
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(32, 32));
        QCOMPARE(picture.devicePixelRatio(), about->devicePixelRatioF());
        if (about->devicePixelRatioF() == 1)
            QCOMPARE(picture.toImage(), artwork::programIcon().pixmap(32).toImage());
        QVERIFY(loadedforms::isLoaded(about));
    });
    QVERIFY(run.opened);
    QVERIFY(!run.closedByStep);
}

void TestAboutWindow::closes_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("OK clicked") << "click";
    QTest::newRow("Enter on OK") << "enter";
    QTest::newRow("Enter on the window") << "enter on window";
    QTest::newRow("Esc") << "escape";
    QTest::newRow("Esc on the window") << "escape on window";
    QTest::newRow("close box") << "close";
}

void TestAboutWindow::closes()
{
    QFETCH(QString, how);
    const AboutRun run = whileAboutOpen([&how](frmAbout *about) {
        QPushButton *ok = control<QPushButton>(about, "cmdOK");
        if (how == QLatin1String("click"))
            QTest::mouseClick(ok, Qt::LeftButton);
        else if (how == QLatin1String("enter"))
            QTest::keyClick(ok, Qt::Key_Return);
        else if (how == QLatin1String("enter on window"))
            QTest::keyClick(about, Qt::Key_Enter, Qt::KeypadModifier);
        else if (how == QLatin1String("escape"))
            QTest::keyClick(ok, Qt::Key_Escape);
        else if (how == QLatin1String("escape on window"))
            QTest::keyClick(about, Qt::Key_Escape);
        else if (how == QLatin1String("close"))
            about->close();
    });
    QVERIFY(run.opened);
    QVERIFY(run.closedByStep);
    flushDeferredDeletes();
    QVERIFY(owner && owner->isVisible());
    QCOMPARE(fixture_->ender.calls, 0);
    QVERIFY(fixture_->urls.opened.isEmpty());
    QCOMPARE(loadedforms::all(), QList<QWidget *>({owner.data()}));
}

void TestAboutWindow::linksOpenPagesAndLeaveItOpen()
{
    const AboutRun run = whileAboutOpen([](frmAbout *about) {
        for (const char *link : {"lblHomePage", "Label5"}) {
            QTest::mouseClick(control<QLabel>(about, link), Qt::LeftButton);
            QTest::mouseClick(control<QLabel>(about, link), Qt::LeftButton);
        }
        QCOMPARE(QApplication::activeModalWidget(), about);
    });
    QVERIFY(run.opened);
    QVERIFY2(!run.closedByStep, "a link closed the About window");
    const QString home = pageAddress("home-page");
    const QString fullBrand = pageAddress("fully-branded");
    QCOMPARE(fixture_->urls.opened, QStringList({home, home, fullBrand, fullBrand}));
}

void TestAboutWindow::blocksTheWindowBeneath()
{
    const AboutRun run = whileAboutOpen([this](frmAbout *) {
        // Input as the window system delivers it, addressed to the result window.
        QWindow *beneath = owner->windowHandle();
        const QPoint back = control<QPushButton>(owner, "cmdBack")->mapTo(owner, control<QPushButton>(owner, "cmdBack")->rect().center());
        QTest::mouseClick(beneath, Qt::LeftButton, {}, back);
        QTest::keyClick(beneath, Qt::Key_Escape);
        QTest::keyClick(beneath, Qt::Key_D, Qt::AltModifier);
        QCoreApplication::processEvents();
    });
    QVERIFY(run.opened);
    QVERIFY2(!run.closedByStep, "input to the window beneath closed the About window");
    QVERIFY(owner && owner->isVisible());
    QCOMPARE(fixture_->ender.calls, 0);
    QVERIFY(fixture_->urls.opened.isEmpty());
}

void TestAboutWindow::looksTheSameEveryTime()
{
    // Shown again, and over the entry window, which must not lend its styles
    // to controls of the same name.
    const auto shot = [](QImage *image) {
        return whileAboutOpen([image](frmAbout *about) { *image = about->grab().toImage(); }).opened;
    };
    QImage first;
    QImage second;
    QImage overEntry;
    QVERIFY(shot(&first));
    flushDeferredDeletes();
    QVERIFY(shot(&second));
    flushDeferredDeletes();
    owner->hide();
    QVERIFY(QTest::qWaitForWindowActive(fixture_.show(new frmMain)));
    QVERIFY(shot(&overEntry));
    QVERIFY(!first.isNull());
    QCOMPARE(second, first);
    QCOMPARE(overEntry.convertToFormat(QImage::Format_RGB32), first.convertToFormat(QImage::Format_RGB32));
}

void TestAboutWindow::endProgramUnloadsIt()
{
    const AboutRun run = whileAboutOpen([](frmAbout *) { modMain::EndProgram(); });
    QVERIFY(run.opened);
    QVERIFY(run.closedByStep);
    QVERIFY(fixture_->ender.calls > 0);
    flushDeferredDeletes();
    QVERIFY(owner.isNull());
    QVERIFY(loadedforms::all().isEmpty());
}

QTEST_MAIN(TestAboutWindow)
#include "tst_frmabout.moc"
