// SPDX-License-Identifier: MIT
// The entry window's own controls as they behave when drawn: the drop-down
// lists, the focus marks and the raised buttons. Every control's design is
// tests/design's; what it shares with the result window, tests/chrome's.
#include "common/Design.h"
#include "common/GuiFixture.h"
#include "common/Pixels.h"

#include "app/modMain.h"
#include "entry/frmMain.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>

#include <algorithm>

class EntryLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void exitIsTheDefaultButton();
    void listFieldAsDressed_data();
    void listFieldAsDressed();
    void focusShowsOnEveryControlThatTakesIt_data();
    void focusShowsOnEveryControlThatTakesIt();
    void buttonsAreRaisedAndSinkWhilePressed_data();
    void buttonsAreRaisedAndSinkWhilePressed();

private:
    GuiFixture fixture_;
    QPointer<frmMain> entry_;
};

void EntryLayoutTest::init()
{
    fixture_.start();
    entry_ = fixture_.show(modMain::LoadEntryWindow());
}

void EntryLayoutTest::cleanup()
{
    fixture_.finish();
}

void EntryLayoutTest::exitIsTheDefaultButton()
{
    QVERIFY(control<QPushButton>(entry_, "cmdExit")->isDefault());
    QVERIFY(!control<QPushButton>(entry_, "cmdNext")->isDefault());
    QVERIFY(!control<QPushButton>(entry_, "cmdNext")->autoDefault());
}

void EntryLayoutTest::listFieldAsDressed_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"cboDate", "cboMonth", "cboYear"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void EntryLayoutTest::listFieldAsDressed()
{
    QFETCH(QString, name);
    auto *list = control<QComboBox>(entry_, qPrintable(name));
    QVERIFY(!list->isEditable());
    QVERIFY(!list->lineEdit());
    // The list is built, and dressed, only as the box first drops down or
    // changes its font; Qt 6.8 builds it earlier, whatever the dressing does.
    const auto builtLists = [list] {
        const QList<QWidget *> children = list->findChildren<QWidget *>();
        return std::count_if(children.begin(), children.end(), [](QWidget *child) { return child->isWindow(); });
    };
    QCOMPARE(builtLists(), QT_VERSION < QT_VERSION_CHECK(6, 8, 0) ? 0 : 1);
    // Its size follows its font, the dressed one and a later one, as that of a
    // box given the same style, colours, font and items the usual way does.
    QComboBox usual;
    usual.setStyle(list->style());
    usual.setPalette(list->palette());
    usual.setFont(list->font());
    for (int item = 0; item < list->count(); ++item)
        usual.addItem(list->itemText(item));
    QCOMPARE(list->sizeHint(), usual.sizeHint());
    const QSize dressed = list->sizeHint();
    const QFont dressedFont = list->font();
    QFont larger = dressedFont;
    larger.setPixelSize(24);
    list->setFont(larger);
    usual.setFont(larger);
    QVERIFY(list->sizeHint().width() > dressed.width());
    QCOMPARE(list->sizeHint(), usual.sizeHint());
    list->setFont(dressedFont);

    list->setCurrentIndex(list->count() - 1);
    list->showPopup();
    QAbstractItemView *view = list->view();
    QTRY_VERIFY(view->isVisible());
    QCOMPARE(builtLists(), 1);
    QVERIFY(view->window()->geometry().top() >= list->mapToGlobal(list->rect().bottomLeft()).y());
    QCOMPARE(view->window()->geometry().left(), list->mapToGlobal(QPoint(0, 0)).x());
    QCOMPARE(view->font().pixelSize(), list->font().pixelSize());
    QCOMPARE(view->font().bold(), list->font().bold());
    QCOMPARE(view->palette().color(QPalette::Text), Cyan);
    QCOMPARE(view->palette().color(QPalette::Base), Teal);
    QCOMPARE(view->window()->palette().color(QPalette::WindowText), QColor(Qt::black)); // the box around it
    list->hidePopup();
}

void EntryLayoutTest::focusShowsOnEveryControlThatTakesIt_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"txtName", "cboDate", "cboMonth", "cboYear", "cmdNext", "cmdExit"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void EntryLayoutTest::focusShowsOnEveryControlThatTakesIt()
{
    QFETCH(QString, name);
    QVERIFY(QTest::qWaitForWindowActive(entry_));
    auto *focusable = control<QWidget>(entry_, qPrintable(name));
    QWidget *elsewhere = control<QPushButton>(entry_, name == QLatin1String("cmdExit") ? "cmdNext" : "cmdExit");

    focusable->setFocus();
    QTRY_VERIFY(focusable->hasFocus());
    const QImage focused = focusable->grab().toImage();
    elsewhere->setFocus();
    QTRY_VERIFY(!focusable->hasFocus());
    const QImage unfocused = focusable->grab().toImage();

    int changed = 0;
    for (int y = 0; y < focused.height(); ++y)
        for (int x = 0; x < focused.width(); ++x)
            changed += focused.pixel(x, y) != unfocused.pixel(x, y);
    // More than a text cursor, at most two pixels wide, could account for.
    QVERIFY2(changed > 2 * focused.height(), qPrintable(QStringLiteral("%1 pixels change").arg(changed)));
}

void EntryLayoutTest::buttonsAreRaisedAndSinkWhilePressed_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("cmdNext") << "cmdNext";
    QTest::newRow("cmdExit") << "cmdExit";
}

void EntryLayoutTest::buttonsAreRaisedAndSinkWhilePressed()
{
    QFETCH(QString, name);
    auto *button = control<QPushButton>(entry_, qPrintable(name));
    QVERIFY(!button->hasFocus());
    const auto brightness = [button](QPoint at) { return shownColour(button, pointFromEdges(button, at)).value(); };
    const QPoint topLeft(1, 1);
    const QPoint bottomRight(-2, -2);
    const int face = ButtonGrey.value();

    QVERIFY(brightness(topLeft) > face);
    QVERIFY(brightness(bottomRight) < face);
    button->setDown(true);
    QVERIFY(brightness(topLeft) < face);
    QVERIFY(brightness(bottomRight) > face);
    button->setDown(false);
}

QTEST_MAIN(EntryLayoutTest)
#include "tst_entrylayout.moc"
