// SPDX-License-Identifier: MIT
// What the result window does: Back keeps the program running, every exit path
// ends it, the links hand their pages to the desktop, About opens modally, and
// the labels written before showing take the size of their text.
#include "widgetkit/LoadedForms.h"
#include "common/Fakes.h"
#include "common/Layout.h"
#include "common/WindowChecks.h"

#include "about/frmAbout.h"
#include "app/modMain.h"
#include "entry/frmMain.h"
#include "links/modHelp.h"
#include "lookup/modPlanetSign.h"
#include "result/frmDisplay.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

class TestResultWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void backShowsEntryWindowAgain_data();
    void backShowsEntryWindowAgain();
    void exitPathsEndProgram_data();
    void exitPathsEndProgram();
    void linksOpenTheirPages_data();
    void linksOpenTheirPages();
    void aboutOpensModallyOverThisWindow();
    void selfSizingLabelsTakeTheirTextsSize_data();
    void selfSizingLabelsTakeTheirTextsSize();
    void findBackAndFindAgainLoadsFreshWindows();

private:
    void showResultInPlaceOfEntry();

    std::unique_ptr<FakeSeams> seams;
    QPointer<frmMain> entry;
    QPointer<frmDisplay> display;
};

void TestResultWindow::init()
{
    seams = std::make_unique<FakeSeams>();
    entry = modMain::LoadEntryWindow();
    entry->show();
    QVERIFY(QTest::qWaitForWindowExposed(entry));
    showResultInPlaceOfEntry();
}

// What the find action does: the entry window hides, a fresh result window shows.
void TestResultWindow::showResultInPlaceOfEntry()
{
    display = modMain::LoadResultWindow();
    entry->hide();
    display->show();
    QVERIFY(QTest::qWaitForWindowActive(display));
}

void TestResultWindow::cleanup()
{
    destroyLeftoverWindows();
    QCOMPARE(visibleTopLevelWindows(), QStringList());
    seams.reset();
}

void TestResultWindow::backShowsEntryWindowAgain_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Back button") << "click";
    QTest::newRow("File > Back") << "menu";
    QTest::newRow("Enter on focused Back") << "enter";
    QTest::newRow("Space on focused Back") << "space";
    QTest::newRow("Alt+B") << "alt";
}

void TestResultWindow::backShowsEntryWindowAgain()
{
    QFETCH(QString, how);
    QPushButton *back = control<QPushButton>(display, "cmdBack");
    if (how == QLatin1String("click")) {
        QTest::mouseClick(back, Qt::LeftButton);
    } else if (how == QLatin1String("menu")) {
        control<QAction>(display, "mnuFileBack")->trigger();
    } else if (how == QLatin1String("alt")) {
        QTest::keyClick(display, Qt::Key_B, Qt::AltModifier);
    } else {
        back->setFocus();
        QTest::keyClick(back, how == QLatin1String("enter") ? Qt::Key_Return : Qt::Key_Space);
    }

    QTRY_VERIFY(!display || !display->isVisible());
    flushDeferredDeletes();
    QVERIFY2(display.isNull(), "Back must unload the result window, not just hide it");
    QCOMPARE(frmDisplay::loaded(), nullptr);
    QVERIFY(entry && entry->isVisible());
    QVERIFY(loadedforms::isLoaded(entry));
    QCOMPARE(seams->ender.calls, 0);
    QCOMPARE(visibleTopLevelWindows(), QStringList(QStringLiteral("frmMain frmMain")));
}

void TestResultWindow::exitPathsEndProgram_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Exit button") << "click";
    QTest::newRow("File > Exit") << "menu";
    QTest::newRow("close box") << "close";
    QTest::newRow("Esc") << "escape";
    QTest::newRow("Enter on focused Exit") << "enter";
    QTest::newRow("Enter with no button focused") << "enter on window";
    QTest::newRow("Esc with Back focused") << "escape on back";
    QTest::newRow("Alt+E") << "alt";
}

void TestResultWindow::exitPathsEndProgram()
{
    QFETCH(QString, how);
    ShowCounter entryShows(entry);
    QPushButton *exit = control<QPushButton>(display, "cmdExit");
    QCOMPARE(QApplication::focusWidget(), exit);

    if (how == QLatin1String("click")) {
        QTest::mouseClick(exit, Qt::LeftButton);
    } else if (how == QLatin1String("menu")) {
        control<QAction>(display, "mnuExit")->trigger();
    } else if (how == QLatin1String("close")) {
        display->close();
    } else if (how == QLatin1String("escape")) {
        QTest::keyClick(exit, Qt::Key_Escape);
    } else if (how == QLatin1String("enter")) {
        QTest::keyClick(exit, Qt::Key_Return);
    } else if (how == QLatin1String("enter on window")) {
        exit->clearFocus();
        QTest::keyClick(display, Qt::Key_Enter, Qt::KeypadModifier);
    } else if (how == QLatin1String("escape on back")) {
        control<QPushButton>(display, "cmdBack")->setFocus();
        QTest::keyClick(control<QPushButton>(display, "cmdBack"), Qt::Key_Escape);
    } else if (how == QLatin1String("alt")) {
        QTest::keyClick(display, Qt::Key_E, Qt::AltModifier);
    }

    QTRY_VERIFY(seams->ender.calls > 0);
    flushDeferredDeletes();
    QVERIFY(display.isNull());
    QVERIFY2(entry.isNull(), "the hidden entry window must be unloaded too");
    QCOMPARE(entryShows.shows, 0);
    QCOMPARE(visibleTopLevelWindows(), QStringList());
    QVERIFY(loadedforms::all().isEmpty());
}

void TestResultWindow::linksOpenTheirPages_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pageKey");
    // clang-format off
    QTest::newRow("Help > Online Help")           << "menu"  << "mnuOnline"          << "help-web-page";
    QTest::newRow("Help > Visit Us Online")       << "menu"  << "mnuVisit"           << "home-page";
    QTest::newRow("Help > Check for Software Update") << "menu" << "mnuUpdate"       << "download-web-page";
    QTest::newRow("Donate on the bar")            << "bar"   << "mnuDonate"          << "donate";
    QTest::newRow("Make Money Online once shown") << "bar"   << "mnuMakeMoneyOnline" << "fully-branded";
    QTest::newRow("discussion board banner")      << "label" << "Label61"            << "home-page";
    QTest::newRow("co-branding label")            << "label" << "lblCobrand"         << "co-brand";
    QTest::newRow("full-branding label")          << "label" << "lblFullBrand"       << "fully-branded";
    // clang-format on
}

void TestResultWindow::linksOpenTheirPages()
{
    QFETCH(QString, how);
    QFETCH(QString, name);
    QFETCH(QString, pageKey);

    for (int click = 0; click < 2; ++click) {
        if (how == QLatin1String("label")) {
            auto *label = display->findChild<QLabel *>(name);
            QVERIFY(label);
            label->raise(); // the full-branding label lies behind its twin
            QTest::mouseClick(label, Qt::LeftButton);
        } else {
            auto *action = display->findChild<QAction *>(name);
            QVERIFY(action);
            if (how == QLatin1String("menu")) {
                action->trigger();
            } else {
                action->setVisible(true);
                QMenuBar *bar = control<QMenuBar>(display, "menubar");
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
            }
        }
    }

    const QString address = modHelp::PageAddress(pageKey);
    QCOMPARE(seams->urls.opened, QStringList({address, address}));
    QVERIFY(display && display->isVisible());
    QCOMPARE(seams->ender.calls, 0);
    QVERIFY(seams->boxes.informations.isEmpty());
}

void TestResultWindow::aboutOpensModallyOverThisWindow()
{
    QPointer<QWidget> about;
    bool opened = false;
    QWidget *owner = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    QTimer::singleShot(0, this, [&] {
        about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        opened = !about.isNull();
        if (!opened)
            return;
        owner = about->parentWidget();
        modality = about->windowModality();
        about->close();
    });
    control<QAction>(display, "mnuAbout")->trigger();

    QVERIFY2(opened, "no About window was open");
    QCOMPARE(owner, display.data());
    QCOMPARE(modality, Qt::ApplicationModal);
    flushDeferredDeletes();
    QVERIFY2(about.isNull(), "the About window must be deleted once closed");
    QVERIFY(display->isVisible());
    QCOMPARE(seams->ender.calls, 0);
}

void TestResultWindow::selfSizingLabelsTakeTheirTextsSize_data()
{
    QTest::addColumn<QString>("sign");
    QTest::newRow("longest sign") << "Sagittarius";
    QTest::newRow("shortest sign") << "Leo";
    QTest::newRow("no sign") << "";
}

void TestResultWindow::selfSizingLabelsTakeTheirTextsSize()
{
    QFETCH(QString, sign);
    delete display.data();
    display = modMain::LoadResultWindow();
    control<QLabel>(display, "lblLoveSign")->setText(sign);
    display->show();
    QVERIFY(QTest::qWaitForWindowExposed(display));

    QLabel *label = control<QLabel>(display, "lblLoveSign");
    QCOMPARE(label->pos(), QPoint(twipsToPixels(3053), twipsToPixels(1320)));
    QCOMPARE(label->size(), label->sizeHint());
    QCOMPARE(label->width(), QFontMetrics(label->font()).horizontalAdvance(sign));
}

void TestResultWindow::findBackAndFindAgainLoadsFreshWindows()
{
    // Begin from the entry window, as at start-up.
    delete display.data();
    entry->show();
    QVERIFY(QTest::qWaitForWindowActive(entry));
    control<QLineEdit>(entry, "txtName")->setText(QStringLiteral("ANN"));

    QTest::mouseClick(control<QPushButton>(entry, "cmdNext"), Qt::LeftButton);
    QPointer<frmDisplay> first = frmDisplay::loaded();
    QVERIFY(first && first->isVisible());
    QVERIFY(!entry->isVisible());
    QCOMPARE(control<QLabel>(first, "lblLoveSign")->text(), QStringLiteral("Capricorn"));
    QCOMPARE(control<QLabel>(first, "lblSignDesc")->text(), modPlanetSign::SignDescription(QStringLiteral("Capricorn")).value());
    QCOMPARE(control<QLabel>(first, "lblLoveSign")->size(), control<QLabel>(first, "lblLoveSign")->sizeHint());

    QTest::mouseClick(control<QPushButton>(first, "cmdBack"), Qt::LeftButton);
    flushDeferredDeletes();
    QVERIFY(first.isNull());
    QVERIFY(entry->isVisible());
    QCOMPARE(control<QLineEdit>(entry, "txtName")->text(), QStringLiteral("ANN"));

    control<QComboBox>(entry, "cboYear")->setCurrentText(QStringLiteral("1990"));
    QTest::mouseClick(control<QPushButton>(entry, "cmdNext"), Qt::LeftButton);
    frmDisplay *second = frmDisplay::loaded();
    QVERIFY(second && second->isVisible());
    QVERIFY(!modPlanetSign::LoveSign.isEmpty());
    QCOMPARE(control<QLabel>(second, "lblLoveSign")->text(), modPlanetSign::LoveSign);
    QCOMPARE(control<QLabel>(second, "lblSignDesc")->text(), modPlanetSign::SignDescription(modPlanetSign::LoveSign).value());
    QCOMPARE(seams->ender.calls, 0);
}

QTEST_MAIN(TestResultWindow)
#include "tst_frmdisplay.moc"
