// SPDX-License-Identifier: MIT
// The real message boxes, answered from a timer.
#include "platform/Platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    bool applicationModal = false;
};

// Reads the box that is about to block, then presses the given button.
void answerNextBox(SeenBox *seen, QMessageBox::StandardButton press)
{
    QTimer::singleShot(0, [seen, press] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            answerNextBox(seen, press);
            return;
        }
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        seen->buttons = box->standardButtons();
        seen->defaultButton = box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
        seen->applicationModal = box->isModal();
        box->button(press)->click();
    });
}

} // namespace

class MessageBoxesTest : public QObject
{
    Q_OBJECT

private slots:
    void informationHasIconOkAndTitle();
    void questionDefaultsToYes_data();
    void questionDefaultsToYes();
};

void MessageBoxesTest::informationHasIconOkAndTitle()
{
    SeenBox seen;
    answerNextBox(&seen, QMessageBox::Ok);

    platform::messageBoxes().information(QStringLiteral("Please Enter Your Name"));

    QCOMPARE(seen.title, QStringLiteral("Amorial"));
    QCOMPARE(seen.text, QStringLiteral("Please Enter Your Name"));
    QCOMPARE(seen.icon, QMessageBox::Information);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(seen.applicationModal);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void MessageBoxesTest::questionDefaultsToYes_data()
{
    QTest::addColumn<int>("press");
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << int(QMessageBox::Yes) << int(platform::Answer::Yes);
    QTest::newRow("no") << int(QMessageBox::No) << int(platform::Answer::No);
}

void MessageBoxesTest::questionDefaultsToYes()
{
    QFETCH(int, press);
    QFETCH(int, answer);
    SeenBox seen;
    answerNextBox(&seen, QMessageBox::StandardButton(press));

    const platform::Answer given = platform::messageBoxes().askYesNo(QStringLiteral("First line\rSecond line"));

    QCOMPARE(int(given), answer);
    QCOMPARE(seen.title, QStringLiteral("Amorial"));
    QCOMPARE(seen.icon, QMessageBox::Information);
    QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(seen.defaultButton, QMessageBox::Yes);
    // A lone carriage return would not break the line on screen.
    QCOMPARE(seen.text, QStringLiteral("First line\nSecond line"));
}

QTEST_MAIN(MessageBoxesTest)
#include "tst_messageboxes.moc"
