// SPDX-License-Identifier: MIT
// What the result window does: Back keeps the program running, a find after
// Back loads a fresh window, and the labels written before showing take the
// size of their text.
#include "widgetkit/LoadedForms.h"
#include "common/GuiFixture.h"
#include "common/Layout.h"

#include "app/modMain.h"
#include "entry/frmMain.h"
#include "lookup/modPlanetSign.h"
#include "result/frmDisplay.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestResultWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void backShowsEntryWindowAgain_data();
    void backShowsEntryWindowAgain();
    void selfSizingLabelsTakeTheirTextsSize_data();
    void selfSizingLabelsTakeTheirTextsSize();
    void findBackAndFindAgainShowsEachSign();

private:
    GuiFixture fixture_;
    QPointer<frmMain> entry;
    QPointer<frmDisplay> display;
};

void TestResultWindow::init()
{
    fixture_.start();
    entry = fixture_.show(modMain::LoadEntryWindow());
    // What the find action does: the entry window hides, a fresh result window shows.
    display = modMain::LoadResultWindow();
    entry->hide();
    fixture_.show(display.data());
    QVERIFY(display->isActiveWindow());
}

void TestResultWindow::cleanup()
{
    fixture_.finish();
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
    QCOMPARE(fixture_->ender.calls, 0);
    QCOMPARE(visibleTopLevelWindows(), QStringList(QStringLiteral("frmMain frmMain")));
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

void TestResultWindow::findBackAndFindAgainShowsEachSign()
{
    // Begin from the entry window, as at start-up.
    delete display.data();
    entry->show();
    QVERIFY(QTest::qWaitForWindowActive(entry));
    control<QLineEdit>(entry, "txtName")->setText(QStringLiteral("ANN"));

    QTest::mouseClick(control<QPushButton>(entry, "cmdNext"), Qt::LeftButton);
    QPointer<frmDisplay> first = frmDisplay::loaded();
    QVERIFY(first && first->isVisible());
    QCOMPARE(control<QLabel>(first, "lblLoveSign")->text(), QStringLiteral("Capricorn"));
    QCOMPARE(control<QLabel>(first, "lblLoveSign")->size(), control<QLabel>(first, "lblLoveSign")->sizeHint());

    QTest::mouseClick(control<QPushButton>(first, "cmdBack"), Qt::LeftButton);
    flushDeferredDeletes();
    QCOMPARE(control<QLineEdit>(entry, "txtName")->text(), QStringLiteral("ANN"));
    QCOMPARE(control<QComboBox>(entry, "cboDate")->count(), 31);

    control<QComboBox>(entry, "cboYear")->setCurrentText(QStringLiteral("1931"));
    control<QComboBox>(entry, "cboMonth")->setCurrentText(QStringLiteral("June"));
    QTest::mouseClick(control<QPushButton>(entry, "cmdNext"), Qt::LeftButton);
    frmDisplay *second = frmDisplay::loaded();
    QVERIFY(second && second->isVisible());
    QVERIFY(!modPlanetSign::LoveSign.isEmpty());
    QVERIFY(modPlanetSign::LoveSign != QStringLiteral("Capricorn"));
    QCOMPARE(control<QLabel>(second, "lblLoveSign")->text(), modPlanetSign::LoveSign);
    QCOMPARE(control<QLabel>(second, "lblSignDesc")->text(), modPlanetSign::SignDescription(modPlanetSign::LoveSign).value());
    QCOMPARE(fixture_->ender.calls, 0);
}

QTEST_MAIN(TestResultWindow)
#include "tst_frmdisplay.moc"
