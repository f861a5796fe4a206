// SPDX-License-Identifier: MIT
// The About window: its design, the ways to close it, its links, and that it
// blocks the window beneath while it is open. Every test opens it through
// ShowModal and acts on it from a timer while ShowModal waits.
#include "widgetkit/LoadedForms.h"
#include "common/Design.h"
#include "common/Fakes.h"
#include "common/Layout.h"
#include "common/Pixels.h"
#include "common/WindowChecks.h"

#include "about/frmAbout.h"
#include "app/modMain.h"
#include "entry/frmMain.h"
#include "links/modHelp.h"
#include "resources/Artwork.h"
#include "result/frmDisplay.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

const QString AboutText = QStringLiteral(
    "Amorial describes the placement of Venus in your birth chart. This planet is also known as the Planet of "
    "Love. This sign shows how you express your self in your romantic relationships and marriage. This also "
    "describes your sense of beauty, aesthetics and outlook towards the creative arts.");
const QString BusinessText = QStringLiteral(
    "Home Business Opportunity. Start your own Internet business and make money online. Get this software fully "
    "branded for your website.");

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
    QTimer rescue;
    rescue.setSingleShot(true);
    QObject::connect(&rescue, &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    rescue.start(20000);
    frmAbout::ShowModal();
    return run;
}

QWidget *control(frmAbout *about, const QString &name)
{
    return name == about->objectName() ? about : about->findChild<QWidget *>(name);
}

} // namespace

class TestAboutWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void colours_data();
    void colours();
    void window();
    void closes_data();
    void closes();
    void linksOpenPagesAndLeaveItOpen_data();
    void linksOpenPagesAndLeaveItOpen();
    void blocksTheWindowBeneath();
    void secondShowLooksTheSame();
    void looksTheSameOverTheEntryWindow();
    void endProgramUnloadsIt();

private:
    std::unique_ptr<FakeSeams> seams;
    QPointer<frmDisplay> owner;
};

void TestAboutWindow::init()
{
    seams = std::make_unique<FakeSeams>();
    owner = new frmDisplay;
    owner->show();
    QVERIFY(QTest::qWaitForWindowActive(owner));
}

void TestAboutWindow::cleanup()
{
    flushDeferredDeletes();
    for (QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY2(!qobject_cast<frmAbout *>(widget), "an About window outlived ShowModal");
    destroyLeftoverWindows();
    QCOMPARE(visibleTopLevelWindows(), QStringList());
    seams.reset();
}

void TestAboutWindow::controls_data()
{
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fontPixels");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("wordWrap");
    QTest::addColumn<bool>("selfSizing");

    // clang-format off
    QTest::newRow("picIcon")     << QRect(150, 150, 510, 510) << QString() << 0 << false << false << false << false;
    QTest::newRow("Label2")      << QRect(960, 300, 2895, 240) << "Amorial v1.20" << 13 << true << false << false << true;
    QTest::newRow("Label1")      << QRect(210, 750, 6105, 1215) << AboutText << 11 << false << false << true << false;
    QTest::newRow("lblHomePage") << QRect(1560, 2040, 4650, 195) << modHelp::HomePageInvitation() << 11 << true << true << false << true;
    QTest::newRow("Label6")      << QRect(240, 2400, 5775, 675) << BusinessText << 11 << true << false << true << false;
    QTest::newRow("Label5")      << QRect(3600, 3120, 2610, 195) << "Click here for more details" << 11 << true << true << false << true;
    QTest::newRow("Line2")       << QRect(-60, 3360, 6420, 15) << QString() << 0 << false << false << false << false;
    QTest::newRow("cmdOK")       << QRect(4950, 3480, 1260, 345) << "&OK" << 11 << true << false << false << false;
    // clang-format on
}

void TestAboutWindow::controls()
{
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    QFETCH(int, fontPixels);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    QFETCH(bool, wordWrap);
    QFETCH(bool, selfSizing);
    const QString name = QString::fromLatin1(QTest::currentDataTag());

    const AboutRun run = whileAboutOpen([&](frmAbout *about) {
        QWidget *widget = control(about, name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget(), about);
        QVERIFY(widget->isVisible());
        const QRect designed = twipsRect(twips);
        QCOMPARE(widget->pos(), designed.topLeft());
        QCOMPARE(widget->size(), selfSizing ? widget->sizeHint() : designed.size());
        if (fontPixels == 0)
            return;
        QCOMPARE(widget->font().pixelSize(), fontPixels);
        QCOMPARE(widget->font().bold(), bold);
        QCOMPARE(widget->font().underline(), underline);
        QVERIFY2(captionFits(widget), "the caption does not fit its control");
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            QCOMPARE(label->text(), text);
            QCOMPARE(label->wordWrap(), wordWrap);
            QCOMPARE(int(label->alignment()), LeftTop);
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        } else {
            QCOMPARE(qobject_cast<QPushButton *>(widget)->text(), text);
        }
    });
    QVERIFY(run.opened);
}

void TestAboutWindow::colours_data()
{
    QTest::addColumn<QPoint>("at"); // from the right or bottom edge when negative
    QTest::addColumn<QColor>("colour");

    const QColor base = QApplication::palette().color(QPalette::Base);
    // clang-format off
    QTest::newRow("frmAbout")           << QPoint(2, -2) << Teal;
    QTest::newRow("picIcon")            << QPoint(0, 0) << QColor(Qt::black);
    QTest::newRow("picIcon")            << QPoint(1, 1) << base;
    QTest::newRow("Label2")             << QPoint(-1, 0) << Teal;
    QTest::newRow("Label1")             << QPoint(-1, -1) << Teal;
    QTest::newRow("lblHomePage")        << QPoint(-1, 0) << Teal;
    QTest::newRow("Label6")             << QPoint(-1, -1) << Teal;
    QTest::newRow("Label5")             << QPoint(-1, 0) << Teal;
    QTest::newRow("Line2")              << QPoint(4, 0) << Cyan;
    QTest::newRow("Line2")              << QPoint(-5, 0) << Cyan;
    QTest::newRow("cmdOK")              << QPoint(4, 4) << ButtonGrey;
    // clang-format on
}

void TestAboutWindow::colours()
{
    QFETCH(QPoint, at);
    QFETCH(QColor, colour);
    const QString name = QString::fromLatin1(QTest::currentDataTag());

    const AboutRun run = whileAboutOpen([&](frmAbout *about) {
        QWidget *widget = control(about, name);
        QVERIFY(widget);
        QCOMPARE(shownColour(widget, pointFromEdges(widget, at)), colour);
    });
    QVERIFY(run.opened);
}

void TestAboutWindow::window()
{
    const AboutRun run = whileAboutOpen([this](frmAbout *about) {
        QCOMPARE(about->windowTitle(), QStringLiteral("Amorial v1.20"));
        QCOMPARE(about->parentWidget(), owner.data());
        QCOMPARE(about->windowModality(), Qt::ApplicationModal);
        const Qt::WindowFlags flags = about->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
        QCOMPARE(about->size(), QSize(twipsToPixels(6345), twipsToPixels(3960)));
        QCOMPARE(about->minimumSize(), about->size());
        QCOMPARE(about->maximumSize(), about->size());
        QCOMPARE(about->windowIcon().pixmap(32).toImage(), artwork::programIcon().pixmap(32).toImage());

        QCOMPARE(QApplication::focusWidget(), control<QPushButton>(about, "cmdOK"));
        QVERIFY(control<QPushButton>(about, "cmdOK")->isDefault());
        // 32 x 32 on the screen, from as many image pixels as the screen has there.
        const QPixmap picture = control<QLabel>(about, "picIcon")->pixmap();
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(32, 32));
        QCOMPARE(picture.devicePixelRatio(), about->devicePixelRatioF());
        if (about->devicePixelRatioF() == 1)
            QCOMPARE(picture.toImage(), artwork::programIcon().pixmap(32).toImage());
        QCOMPARE(control<QLabel>(about, "lblHomePage")->cursor().pixmap().toImage(), artwork::handCursor().pixmap().toImage());
        QCOMPARE(control<QLabel>(about, "Label5")->cursor().pixmap().toImage(), artwork::handCursor().pixmap().toImage());
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
    QCOMPARE(seams->ender.calls, 0);
    QVERIFY(seams->urls.opened.isEmpty());
    QCOMPARE(loadedforms::all(), QList<QWidget *>({owner.data()}));
}

void TestAboutWindow::linksOpenPagesAndLeaveItOpen_data()
{
    QTest::addColumn<QString>("pageKey");
    QTest::newRow("lblHomePage") << "home-page";
    QTest::newRow("Label5") << "fully-branded";
}

void TestAboutWindow::linksOpenPagesAndLeaveItOpen()
{
    QFETCH(QString, pageKey);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const AboutRun run = whileAboutOpen([&name](frmAbout *about) {
        auto *label = about->findChild<QLabel *>(name);
        QVERIFY(label);
        QTest::mouseClick(label, Qt::LeftButton);
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(QApplication::activeModalWidget(), about);
    });
    QVERIFY(run.opened);
    QVERIFY2(!run.closedByStep, "a link closed the About window");
    const QString address = modHelp::PageAddress(pageKey);
    QCOMPARE(seams->urls.opened, QStringList({address, address}));
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
    QCOMPARE(seams->ender.calls, 0);
    QVERIFY(seams->urls.opened.isEmpty());
}

void TestAboutWindow::secondShowLooksTheSame()
{
    QImage first;
    QImage second;
    QVERIFY(whileAboutOpen([&first](frmAbout *about) { first = about->grab().toImage(); }).opened);
    flushDeferredDeletes();
    QVERIFY(whileAboutOpen([&second](frmAbout *about) { second = about->grab().toImage(); }).opened);
    QVERIFY(!first.isNull());
    QCOMPARE(second, first);
}

void TestAboutWindow::looksTheSameOverTheEntryWindow()
{
    // The window beneath must not lend its styles to controls of the same name.
    QImage overResult;
    QVERIFY(whileAboutOpen([&overResult](frmAbout *about) { overResult = about->grab().toImage(); }).opened);
    flushDeferredDeletes();
    owner->hide();
    auto *entry = new frmMain;
    entry->show();
    QVERIFY(QTest::qWaitForWindowActive(entry));
    QImage overEntry;
    QVERIFY(whileAboutOpen([&overEntry](frmAbout *about) { overEntry = about->grab().toImage(); }).opened);
    QCOMPARE(overEntry.convertToFormat(QImage::Format_RGB32), overResult.convertToFormat(QImage::Format_RGB32));
}

void TestAboutWindow::endProgramUnloadsIt()
{
    const AboutRun run = whileAboutOpen([](frmAbout *) { modMain::EndProgram(); });
    QVERIFY(run.opened);
    QVERIFY(run.closedByStep);
    QVERIFY(seams->ender.calls > 0);
    flushDeferredDeletes();
    QVERIFY(owner.isNull());
    QVERIFY(loadedforms::all().isEmpty());
}

QTEST_MAIN(TestAboutWindow)
#include "tst_frmabout.moc"
