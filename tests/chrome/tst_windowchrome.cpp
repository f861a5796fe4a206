// SPDX-License-Identifier: MIT
// What the entry and result windows share, checked on both: the window's
// frame and size, its place on the screen, its focus order, the menu bar, the
// banner and the promotional links, About, and Exit with the keys that press
// it; and the title and icon of every window. Also run on a real X server
// under a window manager, where the windows have a frame to centre.
#include "common/Design.h"
#include "common/GuiFixture.h"
#include "common/Layout.h"

#include "about/frmAbout.h"
#include "app/modMain.h"
#include "entry/frmMain.h"
#include "resources/Artwork.h"
#include "result/frmDisplay.h"
#include "widgetkit/LoadedForms.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

// Each entry of a menu bar, indented under its menu: name, caption ("-" for a
// separator) and what sets it apart.
QStringList describeMenu(const QList<QAction *> &actions, const QString &indent = QString())
{
    QStringList lines;
    for (QAction *action : actions) {
        QString line = indent + (action->menu() ? action->menu()->objectName() : action->objectName());
        line += action->isSeparator() ? QStringLiteral(" -") : QLatin1Char(' ') + action->text();
        if (action->menu())
            line += QStringLiteral(" [menu]");
        if (!action->isVisible())
            line += QStringLiteral(" [hidden]");
        if (action->isVisible() && !action->isEnabled())
            line += QStringLiteral(" [disabled]");
        if (action->isCheckable())
            line += QStringLiteral(" [checkable]");
        if (!action->shortcut().isEmpty())
            line += QStringLiteral(" [shortcut]");
        lines.append(line);
        if (action->menu())
            lines += describeMenu(action->menu()->actions(), indent + QStringLiteral("  "));
    }
    return lines;
}

// A window manager runs on this display and puts a frame round every window.
bool framedByWindowManager()
{
    return qEnvironmentVariableIsSet("AMORIAL_TEST_WINDOW_MANAGER");
}

} // namespace

class WindowChromeTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowIsFixedWithCloseBoxOnly_data();
    void windowIsFixedWithCloseBoxOnly();
    void titleAndIcon_data();
    void titleAndIcon();
    void centredWhenShown_data();
    void centredWhenShown();
    void tabWalksTheDesignsOrder_data();
    void tabWalksTheDesignsOrder();
    void menuBarAsDesigned_data();
    void menuBarAsDesigned();
    void promotionsLieOverEachOther_data();
    void promotionsLieOverEachOther();
    void linkLabels_data();
    void linkLabels();
    void linksOpenTheirPages_data();
    void linksOpenTheirPages();
    void linkLabelOpensOncePerLeftClick();
    void aboutOpensModallyOverTheWindow_data();
    void aboutOpensModallyOverTheWindow();
    void exitPathsEndTheProgram_data();
    void exitPathsEndTheProgram();

private:
    void addWindowRows();
    // The window of the row, shown and active, as the program loads it: with
    // the entry window loaded and, for another window, hidden.
    QWidget *shownWindow(const QString &name);

    GuiFixture fixture_;
    QPointer<frmMain> entry_;
};

void WindowChromeTest::init()
{
    fixture_.start();
}

void WindowChromeTest::cleanup()
{
    fixture_.finish();
}

void WindowChromeTest::addWindowRows()
{
    QTest::addColumn<QString>("window");
    for (const char *name : {"frmMain", "frmDisplay"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

QWidget *WindowChromeTest::shownWindow(const QString &name)
{
    entry_ = modMain::LoadEntryWindow();
    QWidget *window = entry_;
    if (name == QLatin1String("frmDisplay"))
        window = modMain::LoadResultWindow();
    else if (name == QLatin1String("frmAbout"))
        window = new frmAbout;
    return fixture_.show(window);
}

void WindowChromeTest::windowIsFixedWithCloseBoxOnly_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("clientHeight"); // twips
    QTest::newRow("frmMain") << "frmMain" << 5175;
    QTest::newRow("frmDisplay") << "frmDisplay" << 5295;
}

void WindowChromeTest::windowIsFixedWithCloseBoxOnly()
{
    QFETCH(QString, window);
    QFETCH(int, clientHeight);
    auto *shown = qobject_cast<QMainWindow *>(shownWindow(window));

    // Qt adds the system menu hint by itself; no minimise or maximise button.
    QCOMPARE(shown->windowFlags() & ~Qt::WindowSystemMenuHint,
             Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    const int barHeight = shown->menuBar()->height();
    QVERIFY(barHeight > 0);
    const QSize clientArea(twipsToPixels(7260), twipsToPixels(clientHeight));
    QCOMPARE(shown->centralWidget()->geometry(), QRect(QPoint(0, barHeight), clientArea));
    QCOMPARE(shown->size(), clientArea + QSize(0, barHeight));
    QCOMPARE(shown->minimumSize(), shown->size());
    QCOMPARE(shown->maximumSize(), shown->size());
}

void WindowChromeTest::titleAndIcon_data()
{
    addWindowRows();
    QTest::newRow("frmAbout") << "frmAbout";
}

void WindowChromeTest::titleAndIcon()
{
    QFETCH(QString, window);
    const QWidget *shown = shownWindow(window);
    QCOMPARE(shown->windowTitle(), WindowTitle);
    QCOMPARE(shown->windowIcon().pixmap(32).toImage(), artwork::programIcon().pixmap(32).toImage());
}

void WindowChromeTest::centredWhenShown_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("keepsItsPlace"); // shown again, it stays where the user left it
    QTest::newRow("frmMain") << "frmMain" << true;
    QTest::newRow("frmDisplay") << "frmDisplay" << true;
    QTest::newRow("frmAbout") << "frmAbout" << false;
}

void WindowChromeTest::centredWhenShown()
{
    QFETCH(QString, window);
    QFETCH(bool, keepsItsPlace);
    QWidget *shown = shownWindow(window);
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    const QWindow *handle = shown->windowHandle();
    if (framedByWindowManager())
        QTRY_VERIFY2(handle->frameGeometry().height() > handle->height(), "the window has no frame");

    // The frame, not the window inside it, stands in the middle of the screen.
    QTRY_VERIFY2(offScreenCentre(shown).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2 off centre, frame %3")
                                .arg(offScreenCentre(shown).x())
                                .arg(offScreenCentre(shown).y())
                                .arg(QDebug::toString(handle->frameGeometry()))));
    if (!keepsItsPlace)
        return;
    shown->move(shown->pos() + QPoint(37, 23));
    const QPoint moved = shown->pos();
    shown->hide();
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QCOMPARE(shown->pos(), moved);
}

void WindowChromeTest::tabWalksTheDesignsOrder_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("order"); // from the control focused first, round to it again
    QTest::newRow("frmMain") << "frmMain"
                             << QStringList{"txtName", "cboDate", "cboMonth", "cboYear", "cmdNext", "cmdExit", "txtName"};
    QTest::newRow("frmDisplay") << "frmDisplay" << QStringList{"cmdExit", "cmdBack", "cmdExit"};
}

void WindowChromeTest::tabWalksTheDesignsOrder()
{
    QFETCH(QString, window);
    QFETCH(QStringList, order);
    shownWindow(window);
    QStringList visited{QApplication::focusWidget()->objectName()};
    while (visited.size() < order.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, order);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), order.at(order.size() - 2));
    QVERIFY(fixture_->boxes.informations.isEmpty());
}

void WindowChromeTest::menuBarAsDesigned_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("frmMain") << "frmMain"
                             << QStringList{
                                    "mnuFile &File [menu]",
                                    "  mnuFindLoveSign Find My Zodiac &Love Sign",
                                    "  mnuExit E&xit",
                                    "mnuHelp &Help [menu]",
                                    "  mnuOnline &Online Help",
                                    "  mnuVisit &Visit Us Online",
                                    "  mnuHelp1 -",
                                    "  mnuUpdate Check for Software &Update",
                                    "  mnuHelp2 -",
                                    "  mnuAbout &About Software",
                                    "mnuDonate &Donate",
                                    "mnuMakeMoneyOnline Make Money &Online [hidden]",
                                };
    QTest::newRow("frmDisplay") << "frmDisplay"
                                << QStringList{
                                       "mnuFile &File [menu]",
                                       "  mnuFileBack &Back",
                                       "  mnuExit E&xit",
                                       "mnuHelp &Help [menu]",
                                       "  mnuOnline &Online Help",
                                       "  mnuVisit &Visit Us Online",
                                       "  mnuFileSep1 -",
                                       "  mnuUpdate &Check for Software Update",
                                       "  mnuFileSep2 -",
                                       "  mnuAbout &About Software",
                                       "mnuDonate &Donate",
                                       "mnuMakeMoneyOnline Make Money &Online [hidden]",
                                   };
}

void WindowChromeTest::menuBarAsDesigned()
{
    QFETCH(QString, window);
    QFETCH(QStringList, entries);
    auto *shown = qobject_cast<QMainWindow *>(shownWindow(window));
    QMenuBar *bar = control<QMenuBar>(shown, "menubar");
    QCOMPARE(shown->menuBar(), bar);
    QVERIFY(!bar->isNativeMenuBar());

    QCOMPARE(describeMenu(bar->actions()), entries);
    // Every entry shown has room on the bar; the hidden one takes none.
    for (QAction *action : bar->actions()) {
        const QRect place = bar->actionGeometry(action);
        if (action->isVisible())
            QVERIFY2(!place.isEmpty() && place.right() < bar->width(), qPrintable(action->text()));
        else
            QVERIFY2(place.isEmpty(), qPrintable(action->text()));
    }
}

void WindowChromeTest::promotionsLieOverEachOther_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("front");
    QTest::addColumn<QString>("behind");
    // As laid out; at start-up the entry window draws which one comes to the front.
    QTest::newRow("frmMain") << "frmMain" << "lblFullBrand" << "lblCobrand";
    QTest::newRow("frmDisplay") << "frmDisplay" << "lblCobrand" << "lblFullBrand";
}

void WindowChromeTest::promotionsLieOverEachOther()
{
    QFETCH(QString, window);
    QFETCH(QString, front);
    QFETCH(QString, behind);
    QWidget *shown = shownWindow(window);
    auto *inFront = shown->findChild<QLabel *>(front);
    auto *atBack = shown->findChild<QLabel *>(behind);
    QVERIFY(inFront && atBack);
    QWidget *bar = inFront->parentWidget();
    QCOMPARE(atBack->parentWidget(), bar);
    const QRect both = inFront->geometry() & atBack->geometry();
    QVERIFY(!both.isEmpty());
    const QList<QPoint> points = {both.topLeft(), both.center(), both.bottomRight()};

    for (const QPoint &point : points)
        QCOMPARE(bar->childAt(point), inFront);
    atBack->raise();
    for (const QPoint &point : points)
        QCOMPARE(bar->childAt(point), atBack);
}

void WindowChromeTest::linkLabels_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("pointer");
    QTest::addColumn<QString>("pageKey"); // what a screen reader's press opens; empty for a label that is no link
    for (const char *window : {"frmMain", "frmDisplay"}) {
        QTest::addRow("%s Label61", window) << window << "Label61" << "hand" << "home-page";
        QTest::addRow("%s lblFullBrand", window) << window << "lblFullBrand" << "hand" << "fully-branded";
        QTest::addRow("%s lblCobrand", window) << window << "lblCobrand" << "monochrome hand" << "co-brand";
    }
    QTest::newRow("frmDisplay Label6") << "frmDisplay" << "Label6" << "arrow" << "";
    QTest::newRow("frmDisplay lblSignDesc") << "frmDisplay" << "lblSignDesc" << "arrow" << "";
    QTest::newRow("frmAbout lblHomePage") << "frmAbout" << "lblHomePage" << "hand" << "home-page";
    QTest::newRow("frmAbout Label5") << "frmAbout" << "Label5" << "hand" << "fully-branded";
}

// The pointer over a label, and the press a screen reader offers on a link.
void WindowChromeTest::linkLabels()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, pointer);
    QFETCH(QString, pageKey);
    auto *label = shownWindow(window)->findChild<QLabel *>(control);
    QVERIFY(label);
    const QCursor cursor = label->cursor();
    if (pointer == QLatin1String("arrow")) {
        QCOMPARE(cursor.shape(), Qt::ArrowCursor);
    } else {
        const QCursor expected =
            pointer == QLatin1String("hand") ? artwork::handCursor() : artwork::monochromeHandCursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.hotSpot(), expected.hotSpot());
        QCOMPARE(cursor.pixmap().toImage(), expected.pixmap().toImage());
    }
    if (pageKey.isEmpty())
        return;
    QAccessibleActionInterface *actions = QAccessible::queryAccessibleInterface(label)->actionInterface();
    QVERIFY(actions);
    QCOMPARE(actions->actionNames().value(0), QAccessibleActionInterface::pressAction());
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(fixture_->urls.opened, QStringList{pageAddress(pageKey)});
    QVERIFY(fixture_->boxes.informations.isEmpty());
}

void WindowChromeTest::linksOpenTheirPages_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("pageKey");
    for (const char *window : {"frmMain", "frmDisplay"}) {
        // clang-format off
        QTest::addRow("%s Help > Online Help", window)          << window << "menu"  << "mnuOnline"          << "help-web-page";
        QTest::addRow("%s Help > Visit Us Online", window)      << window << "menu"  << "mnuVisit"           << "home-page";
        QTest::addRow("%s Help > Check for Software Update", window) << window << "menu" << "mnuUpdate"      << "download-web-page";
        QTest::addRow("%s Donate on the bar", window)           << window << "bar"   << "mnuDonate"          << "donate";
        QTest::addRow("%s Make Money Online once shown", window) << window << "bar"  << "mnuMakeMoneyOnline" << "fully-branded";
        QTest::addRow("%s discussion board banner", window)     << window << "label" << "Label61"            << "home-page";
        QTest::addRow("%s co-branding label", window)           << window << "label" << "lblCobrand"         << "co-brand";
        QTest::addRow("%s full-branding label", window)         << window << "label" << "lblFullBrand"       << "fully-branded";
        // clang-format on
    }
}

void WindowChromeTest::linksOpenTheirPages()
{
    QFETCH(QString, window);
    QFETCH(QString, how);
    QFETCH(QString, control);
    QFETCH(QString, pageKey);
    QWidget *shown = shownWindow(window);

    for (int click = 0; click < 2; ++click) {
        if (how == QLatin1String("label")) {
            auto *label = shown->findChild<QLabel *>(control);
            QVERIFY(label);
            label->raise(); // either promotional label may lie behind its twin
            QTest::mouseClick(label, Qt::LeftButton);
            continue;
        }
        auto *action = shown->findChild<QAction *>(control);
        QVERIFY(action);
        if (how == QLatin1String("menu")) {
            action->trigger();
        } else {
            action->setVisible(true);
            QMenuBar *bar = ::control<QMenuBar>(shown, "menubar");
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
        }
    }

    const QString address = pageAddress(pageKey);
    QCOMPARE(fixture_->urls.opened, QStringList({address, address}));
    QVERIFY(shown->isVisible());
    QCOMPARE(fixture_->ender.calls, 0);
    QVERIFY(fixture_->boxes.informations.isEmpty());
}

// The same chrome makes every window's link labels; the entry window's banner stands for them.
void WindowChromeTest::linkLabelOpensOncePerLeftClick()
{
    QLabel *banner = control<QLabel>(shownWindow(QStringLiteral("frmMain")), "Label61");
    const QPoint inside = banner->rect().center();

    QTest::mouseClick(banner, Qt::RightButton, {}, inside);
    QTest::mouseClick(banner, Qt::MiddleButton, {}, inside);
    QTest::mousePress(banner, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(banner, Qt::LeftButton, {}, QPoint(-5, -5));
    QVERIFY(fixture_->urls.opened.isEmpty());

    // A double click is one click and then a double-click event.
    QTest::mouseClick(banner, Qt::LeftButton, {}, inside);
    QTest::mouseDClick(banner, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(banner, Qt::LeftButton, {}, inside);
    QCOMPARE(fixture_->urls.opened, QStringList{pageAddress("home-page")});
}

void WindowChromeTest::aboutOpensModallyOverTheWindow_data()
{
    addWindowRows();
}

void WindowChromeTest::aboutOpensModallyOverTheWindow()
{
    QFETCH(QString, window);
    QWidget *shown = shownWindow(window);
    QPointer<QWidget> about;
    QWidget *owner = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    QTimer::singleShot(0, this, [&] {
        about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        if (!about)
            return;
        owner = about->parentWidget();
        modality = about->windowModality();
        about->close();
    });
    control<QAction>(shown, "mnuAbout")->trigger();

    QVERIFY2(owner, "no About window was open");
    QCOMPARE(owner, shown);
    QCOMPARE(modality, Qt::ApplicationModal);
    flushDeferredDeletes();
    QVERIFY2(about.isNull(), "the About window must be deleted once closed");
    QVERIFY(shown->isVisible());
    QCOMPARE(fixture_->ender.calls, 0);
}

void WindowChromeTest::exitPathsEndTheProgram_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("focus"); // the control with the focus; empty: none
    // clang-format off
    for (const auto &[window, other] : {std::pair{"frmMain", "cmdNext"}, std::pair{"frmDisplay", "cmdBack"}}) {
        QTest::addRow("%s Exit button", window)                  << window << "click"  << "cmdExit";
        QTest::addRow("%s File > Exit", window)                  << window << "menu"   << "cmdExit";
        QTest::addRow("%s close box", window)                    << window << "close"  << "cmdExit";
        QTest::addRow("%s Esc", window)                          << window << "escape" << "cmdExit";
        QTest::addRow("%s Enter on focused Exit", window)        << window << "enter"  << "cmdExit";
        QTest::addRow("%s Enter with no button focused", window) << window << "enter"  << "";
        QTest::addRow("%s Esc on the other button", window)      << window << "escape" << other;
        QTest::addRow("%s Alt+E", window)                        << window << "alt"    << "cmdExit";
    }
    // clang-format on
}

void WindowChromeTest::exitPathsEndTheProgram()
{
    QFETCH(QString, window);
    QFETCH(QString, how);
    QFETCH(QString, focus);
    QWidget *shown = shownWindow(window);
    QPointer<QWidget> unloaded = shown;
    ShowCounter entryShows(entry_);
    if (focus.isEmpty()) {
        if (QApplication::focusWidget())
            QApplication::focusWidget()->clearFocus();
    } else {
        control<QWidget>(shown, qPrintable(focus))->setFocus();
    }
    QWidget *focused = QApplication::focusWidget() ? QApplication::focusWidget() : shown;

    if (how == QLatin1String("click"))
        QTest::mouseClick(control<QPushButton>(shown, "cmdExit"), Qt::LeftButton);
    else if (how == QLatin1String("menu"))
        control<QAction>(shown, "mnuExit")->trigger();
    else if (how == QLatin1String("close"))
        shown->close();
    else if (how == QLatin1String("escape"))
        QTest::keyClick(focused, Qt::Key_Escape);
    else if (how == QLatin1String("enter"))
        QTest::keyClick(focused, Qt::Key_Enter, focus.isEmpty() ? Qt::KeypadModifier : Qt::NoModifier);
    else if (how == QLatin1String("alt"))
        QTest::keyClick(shown, Qt::Key_E, Qt::AltModifier);

    QTRY_VERIFY(fixture_->ender.calls > 0);
    flushDeferredDeletes();
    QVERIFY(unloaded.isNull());
    QVERIFY2(entry_.isNull(), "the entry window, hidden or not, must be unloaded too");
    QCOMPARE(entryShows.shows, 0);
    QCOMPARE(visibleTopLevelWindows(), QStringList());
    QVERIFY(loadedforms::all().isEmpty());
    QVERIFY(fixture_->boxes.informations.isEmpty());
}

QTEST_MAIN(WindowChromeTest)
#include "tst_windowchrome.moc"
