// SPDX-License-Identifier: MIT
// What every entry window test runs under: fakes for the message boxes, the
// browser and the end of the process, a shown entry window, and afterwards no
// window left behind and LoveSign as at start.
#pragma once

#include "common/Fakes.h"
#include "entry/frmMain.h"
#include "lookup/modPlanetSign.h"

#include <QApplication>
#include <QPointer>
#include <QtTest>

#include <algorithm>
#include <optional>

class EntryFixture : public FakeSeams
{
public:
    EntryFixture()
        : entry(new frmMain)
    {
        entry->show();
        entry->activateWindow(); // no window manager does it on a bare X server
    }

    // Deletes every window still there; Qt Test checks in the caller.
    static void destroyWindows()
    {
        QList<QPointer<QWidget>> windows;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (!window->parentWidget())
                windows.append(window);
        for (const QPointer<QWidget> &window : std::as_const(windows))
            delete window.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static bool anyWindowVisible()
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::any_of(windows.begin(), windows.end(), [](QWidget *window) { return window->isVisible(); });
    }

    QPointer<frmMain> entry;
};

// For the test classes' cleanup(): deletes what the test left, then fails it
// if any window survived.
inline void tearDownEntryTest(std::optional<EntryFixture> &fixture)
{
    EntryFixture::destroyWindows();
    fixture.reset();
    modPlanetSign::LoveSign.clear();
    QVERIFY(!EntryFixture::anyWindowVisible());
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}
