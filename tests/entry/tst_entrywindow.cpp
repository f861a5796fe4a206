// SPDX-License-Identifier: MIT
// The entry window at work, driven by real key and mouse events: the date lists,
// the name filter, the checks before a find, the find itself and every way out.
#include "common/GuiFixture.h"
#include "app/modMain.h"
#include "entry/frmMain.h"
#include "widgetkit/LoadedForms.h"
#include "lookup/modPlanetSign.h"
#include "result/frmDisplay.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>

#include <memory>

namespace {

const QString OnlyLetters = QStringLiteral("Please Enter only Letters");
const QString EnterYourName = QStringLiteral("Please Enter Your Name");
const QString WrongFebruaryDay = QStringLiteral("Please Enter Correct Date Or Month!");
const QString WrongThirtyDayMonthDay = QStringLiteral("Please Enter Correct Date Or Month !");

const QStringList MonthNames = {"January", "February", "March",     "April",   "May",      "June",
                                "July",    "August",   "September", "October", "November", "December"};

QStringList itemsOf(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

QStringList numbers(int first, int last)
{
    QStringList texts;
    for (int n = first; n <= last; ++n)
        texts << QString::number(n);
    return texts;
}

} // namespace

class EntryWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadFillsListsOnFirstDay();
    void nameFilter_data();
    void nameFilter();
    void everyCharacterCodeIsFiltered();
    void otherRoutesBringOnlyLetters_data();
    void otherRoutesBringOnlyLetters();
    void keysExitOrFind_data();
    void keysExitOrFind();
    void escapeInOpenListOnlyClosesIt();
    void validation_data();
    void validation();
    void findShowsSignInResultWindow();

private:
    frmMain &entry() { return *entry_; }
    QStringList &messages() { return fixture_->boxes.informations; }
    void pickDate(int day, int month, int year);
    // True when the entry window is hidden and a result window shows.
    bool found();
    // True when the program was ended and the entry window unloaded.
    bool ended();

    GuiFixture fixture_;
    QPointer<frmMain> entry_;
};

void EntryWindowTest::init()
{
    fixture_.start();
    entry_ = fixture_.show(modMain::LoadEntryWindow());
    QVERIFY(entry_->isActiveWindow());
}

void EntryWindowTest::cleanup()
{
    fixture_.finish();
}

void EntryWindowTest::pickDate(int day, int month, int year)
{
    control<QComboBox>(&entry(), "cboDate")->setCurrentIndex(day - 1);
    control<QComboBox>(&entry(), "cboMonth")->setCurrentIndex(month - 1);
    control<QComboBox>(&entry(), "cboYear")->setCurrentIndex(year - 1930);
}

bool EntryWindowTest::found()
{
    return frmDisplay::loaded() && frmDisplay::loaded()->isVisible() && entry_ && !entry_->isVisible()
           && loadedforms::isLoaded(entry_);
}

bool EntryWindowTest::ended()
{
    flushDeferredDeletes();
    return fixture_->ender.calls == 1 && !entry_ && !frmDisplay::loaded();
}

void EntryWindowTest::loadFillsListsOnFirstDay()
{
    QCOMPARE(itemsOf(control<QComboBox>(&entry(), "cboDate")), numbers(1, 31));
    QCOMPARE(itemsOf(control<QComboBox>(&entry(), "cboMonth")), MonthNames);
    QCOMPARE(itemsOf(control<QComboBox>(&entry(), "cboYear")), numbers(1930, 2012));
    QCOMPARE(control<QComboBox>(&entry(), "cboDate")->currentText(), QStringLiteral("1"));
    QCOMPARE(control<QComboBox>(&entry(), "cboMonth")->currentText(), QStringLiteral("January"));
    QCOMPARE(control<QComboBox>(&entry(), "cboYear")->currentText(), QStringLiteral("1930"));
    QVERIFY(control<QLineEdit>(&entry(), "txtName")->text().isEmpty());
    QVERIFY(messages().isEmpty());
}

void EntryWindowTest::nameFilter_data()
{
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("refusals");

    auto typing = [](const QString &text) {
        QTestEventList keys;
        keys.addKeyClicks(text);
        return keys;
    };
    auto typingThen = [&typing](const QString &text, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTestEventList keys = typing(text);
        keys.addKeyClick(key, modifiers);
        return keys;
    };

    QTest::newRow("small letters become capitals") << typing("ann lee") << "ANN LEE" << 0;
    QTest::newRow("capitals stay") << typing("ANN") << "ANN" << 0;
    QTest::newRow("digit") << typing("3") << "" << 1;
    QTest::newRow("hyphen") << typing("-") << "" << 1;
    QTest::newRow("one message per refused key") << typing("a3b-c.") << "ABC" << 3;
    QTest::newRow("keypad digit") << typingThen("", Qt::Key_7, Qt::KeypadModifier) << "" << 1;
    QTest::newRow("backspace deletes") << typingThen("anx", Qt::Key_Backspace) << "AN" << 0;
    QTest::newRow("ctrl+h deletes like backspace") << typingThen("anx", Qt::Key_H, Qt::ControlModifier) << "AN" << 0;
    QTest::newRow("space is kept") << typing(" a ") << " A " << 0;

    QTestEventList deleteKey = typingThen("ab", Qt::Key_Left);
    deleteKey.addKeyClick(Qt::Key_Delete);
    QTest::newRow("delete and arrows pass") << deleteKey << "A" << 0;
    QTestEventList home = typingThen("ab", Qt::Key_Home);
    home.addKeyClicks("c");
    QTest::newRow("home then a letter") << home << "CAB" << 0;
    QTest::newRow("function key passes") << typingThen("a", Qt::Key_F5) << "A" << 0;

    // Ctrl with a letter types a control character: refused, and the box does not act on it.
    QTest::newRow("ctrl+v does not paste") << typingThen("ab", Qt::Key_V, Qt::ControlModifier) << "AB" << 1;
    QTest::newRow("ctrl+shift+v") << typingThen("", Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier) << "" << 1;
    QTest::newRow("ctrl+a does not select") << typingThen("ab", Qt::Key_A, Qt::ControlModifier) << "AB" << 1;
    QTest::newRow("ctrl+z does not undo") << typingThen("ab", Qt::Key_Z, Qt::ControlModifier) << "AB" << 1;
    QTestEventList cut = typingThen("ab", Qt::Key_Home, Qt::ShiftModifier);
    cut.addKeyClick(Qt::Key_X, Qt::ControlModifier);
    QTest::newRow("ctrl+x does not cut") << cut << "AB" << 1;
    QTestEventList copy = typingThen("ab", Qt::Key_Home, Qt::ShiftModifier);
    copy.addKeyClick(Qt::Key_C, Qt::ControlModifier);
    QTest::newRow("ctrl+c refused") << copy << "AB" << 1;

    QTest::newRow("alt with a letter types nothing") << typingThen("a", Qt::Key_Q, Qt::AltModifier) << "A" << 0;
    // Shift+Insert pastes without typing a character; only letters and blanks get in.
    QTest::newRow("shift+insert pastes letters only")
        << typingThen("", Qt::Key_Insert, Qt::ShiftModifier) << "PASTE ME " << 0;
}

void EntryWindowTest::nameFilter()
{
    QFETCH(QTestEventList, keys);
    QFETCH(QString, name);
    QFETCH(int, refusals);
    QGuiApplication::clipboard()->setText(QStringLiteral("paste me 1"));
    QLineEdit *box = control<QLineEdit>(&entry(), "txtName");

    keys.simulate(box);

    QCOMPARE(box->text(), name);
    QCOMPARE(messages(), QStringList(refusals, OnlyLetters));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("paste me 1"));
    QCOMPARE(fixture_->ender.calls, 0);
}

void EntryWindowTest::everyCharacterCodeIsFiltered()
{
    QLineEdit *box = control<QLineEdit>(&entry(), "txtName");
    QStringList wrong;
    for (char16_t code = 1; code != 0; ++code) {
        if (box->text().size() > 200)
            box->clear();
        if (messages().size() > 1000)
            messages().clear();
        const QString before = box->text();
        const qsizetype messagesBefore = messages().size();

        // The key is unknown, so only the character decides what happens.
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(QChar(code)), Qt::NoModifier);

        QString expected = before;
        bool refused = false;
        if ((code >= u'a' && code <= u'z') || (code >= u'A' && code <= u'Z'))
            expected += QChar(code).toUpper();
        else if (code == u' ')
            expected += QChar(code);
        else
            refused = code != 8 && code != 13;
        const bool right = box->text() == expected && messages().size() == messagesBefore + (refused ? 1 : 0)
                           && (!refused || messages().constLast() == OnlyLetters);
        if (!right)
            wrong << QString::number(code, 16);
    }

    QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("mishandled codes: ") + wrong.mid(0, 20).join(' ')));
    QVERIFY(entry().isVisible());
    QCOMPARE(fixture_->ender.calls, 0);
}

void EntryWindowTest::otherRoutesBringOnlyLetters_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("refusals");
    const QString offered = QStringLiteral("ann-1 é Lee\t!");
    for (const char *route : {"context menu paste", "middle click paste", "drop"})
        QTest::newRow(route) << QString::fromLatin1(route) << offered << "ANN  LEE" << 0;
    // What an input method commits was typed: one message for each character refused.
    QTest::newRow("input method commit") << "input method commit" << offered << "ANN  LEE" << 5;
    QTest::newRow("dead key then e") << "input method commit" << QStringLiteral("é") << "" << 1;
}

void EntryWindowTest::otherRoutesBringOnlyLetters()
{
    QFETCH(QString, route);
    QFETCH(QString, offered);
    QFETCH(QString, name);
    QFETCH(int, refusals);
    QLineEdit *box = control<QLineEdit>(&entry(), "txtName");

    if (route == "context menu paste") {
        QGuiApplication::clipboard()->setText(offered);
        const std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
        const QList<QAction *> entries = menu->actions();
        const auto paste = std::find_if(entries.begin(), entries.end(), [](QAction *action) {
            return action->text().startsWith(QStringLiteral("&Paste"));
        });
        QVERIFY(paste != entries.end());
        QVERIFY((*paste)->isEnabled());
        (*paste)->trigger();
    } else if (route == "middle click paste") {
        if (!QGuiApplication::clipboard()->supportsSelection())
            QSKIP("This platform has no selection to paste");
        QGuiApplication::clipboard()->setText(offered, QClipboard::Selection);
        QTest::mouseClick(box, Qt::MiddleButton);
    } else if (route == "drop") {
        QMimeData data;
        data.setText(offered);
        const QPoint centre = box->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
        QDragMoveEvent move(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &move);
        QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &drop);
    } else {
        QInputMethodEvent commit;
        commit.setCommitString(offered);
        QApplication::sendEvent(box, &commit);
    }

    QCOMPARE(box->text(), name);
    QCOMPARE(messages(), QStringList(refusals, OnlyLetters));
}

void EntryWindowTest::keysExitOrFind_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("finds");

    QTest::newRow("enter in the name box exits") << "txtName" << int(Qt::Key_Return) << false;
    QTest::newRow("keypad enter in the name box exits") << "txtName" << int(Qt::Key_Enter) << false;
    QTest::newRow("enter on a list exits") << "cboYear" << int(Qt::Key_Return) << false;
    QTest::newRow("enter on find finds") << "cmdNext" << int(Qt::Key_Return) << true;
    QTest::newRow("space on find finds") << "cmdNext" << int(Qt::Key_Space) << true;
    QTest::newRow("escape in the name box exits") << "txtName" << int(Qt::Key_Escape) << false;
    QTest::newRow("escape on a closed list exits") << "cboMonth" << int(Qt::Key_Escape) << false;
    // The access key presses its button through an animated click.
    QTest::newRow("alt+L in the name box finds") << "txtName" << (int(Qt::Key_L) | int(Qt::AltModifier)) << true;
}

void EntryWindowTest::keysExitOrFind()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, finds);
    QTest::keyClicks(control<QLineEdit>(&entry(), "txtName"), "ann");
    auto *control = entry().findChild<QWidget *>(focus);
    control->setFocus();
    QCOMPARE(QApplication::focusWidget(), control);

    QTest::keyClick(control, Qt::Key(key & ~Qt::KeyboardModifierMask), Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));

    QVERIFY(messages().isEmpty());
    if (finds) {
        QTRY_VERIFY(found());
        QCOMPARE(fixture_->ender.calls, 0);
    } else {
        QVERIFY(ended());
    }
}

void EntryWindowTest::escapeInOpenListOnlyClosesIt()
{
    QComboBox *list = control<QComboBox>(&entry(), "cboMonth");
    list->showPopup();
    QTRY_VERIFY(list->view()->isVisible());

    QTest::keyClick(list->view(), Qt::Key_Escape);

    QTRY_VERIFY(!list->view()->isVisible());
    QCOMPARE(fixture_->ender.calls, 0);
    QVERIFY(entry().isVisible());
}

void EntryWindowTest::validation_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("message"); // empty: the find goes ahead
    QTest::addColumn<QString>("find");    // the control that asks for it
    const auto row = [](const char *tag, const QString &name, int day, int month, int year, const QString &message,
                        const char *find = "cmdNext") {
        QTest::newRow(tag) << name << day << month << year << message << QString::fromLatin1(find);
    };

    row("empty name", "", 1, 1, 1930, EnterYourName);
    row("empty name before a bad date", "", 31, 4, 1975, EnterYourName);
    row("one blank is a name", " ", 1, 1, 1930, "");
    row("29 Feb 1932", "ANN", 29, 2, 1932, "");
    row("29 Feb 1960", "ANN", 29, 2, 1960, "");
    row("29 Feb 2000", "ANN", 29, 2, 2000, "");
    row("29 Feb 1931", "ANN", 29, 2, 1931, WrongFebruaryDay);
    row("29 Feb 2001", "ANN", 29, 2, 2001, WrongFebruaryDay);
    row("30 Feb leap year", "ANN", 30, 2, 1932, WrongFebruaryDay);
    row("31 Feb leap year", "ANN", 31, 2, 2000, WrongFebruaryDay);
    row("30 Feb other year", "ANN", 30, 2, 2011, WrongFebruaryDay);
    row("28 Feb other year", "ANN", 28, 2, 2011, "");
    row("31 Apr", "ANN", 31, 4, 1975, WrongThirtyDayMonthDay);
    row("31 Jun", "ANN", 31, 6, 1975, WrongThirtyDayMonthDay);
    row("31 Sep", "ANN", 31, 9, 1975, WrongThirtyDayMonthDay);
    row("31 Nov", "ANN", 31, 11, 1975, WrongThirtyDayMonthDay);
    row("30 Apr", "ANN", 30, 4, 1975, "");
    row("31 May", "ANN", 31, 5, 1975, "");
    row("31 Dec 2012", "ANN", 31, 12, 2012, "");
    row("File menu, empty name", "", 1, 1, 1930, EnterYourName, "mnuFindLoveSign");
    row("File menu", "ANN", 1, 1, 1930, "", "mnuFindLoveSign");
}

void EntryWindowTest::validation()
{
    QFETCH(QString, name);
    QFETCH(int, day);
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(QString, message);
    QFETCH(QString, find);
    control<QLineEdit>(&entry(), "txtName")->setText(name);
    pickDate(day, month, year);
    control<QComboBox>(&entry(), "cboYear")->setFocus();
    modPlanetSign::LoveSign = QStringLiteral("earlier sign");

    if (find == QLatin1String("cmdNext"))
        control<QPushButton>(&entry(), "cmdNext")->click();
    else
        control<QAction>(&entry(), "mnuFindLoveSign")->trigger();

    if (message.isEmpty()) {
        QVERIFY(messages().isEmpty());
        QVERIFY(found());
        return;
    }
    QCOMPARE(messages(), QStringList{message});
    QCOMPARE(modPlanetSign::LoveSign, QStringLiteral("earlier sign"));
    QVERIFY(!frmDisplay::loaded());
    QVERIFY(entry().isVisible());
    QCOMPARE(control<QComboBox>(&entry(), "cboDate")->currentIndex(), day - 1);
    // Only the name message moves the focus.
    QCOMPARE(QApplication::focusWidget(), message == EnterYourName ? static_cast<QWidget *>(control<QLineEdit>(&entry(), "txtName"))
                                                                   : control<QComboBox>(&entry(), "cboYear"));
}

void EntryWindowTest::findShowsSignInResultWindow()
{
    QTest::keyClicks(control<QLineEdit>(&entry(), "txtName"), "ann");
    pickDate(15, 6, 1975);

    QTest::mouseClick(control<QPushButton>(&entry(), "cmdNext"), Qt::LeftButton);

    QVERIFY(found());
    QVERIFY(!modPlanetSign::LoveSign.isEmpty());
    frmDisplay *display = frmDisplay::loaded();
    QCOMPARE(control<QLabel>(display, "lblLoveSign")->text(), modPlanetSign::LoveSign);
    const std::optional<QString> paragraph = modPlanetSign::SignDescription(modPlanetSign::LoveSign);
    QVERIFY(paragraph);
    QCOMPARE(control<QLabel>(display, "lblSignDesc")->text(), *paragraph);
    // Hidden, not unloaded: the input stays as the user left it.
    QCOMPARE(control<QLineEdit>(&entry(), "txtName")->text(), QStringLiteral("ANN"));
    QCOMPARE(control<QComboBox>(&entry(), "cboMonth")->currentText(), QStringLiteral("June"));
    QCOMPARE(fixture_->ender.calls, 0);
}

QTEST_MAIN(EntryWindowTest)
#include "tst_entrywindow.moc"
