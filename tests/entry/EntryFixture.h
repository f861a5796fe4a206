// SPDX-License-Identifier: MIT
// What every entry window test runs under: fakes for the message boxes, the
// browser and the end of the process, a shown entry window, and afterwards no
// window left behind and LoveSign as at start.
#pragma once

#include "common/Fakes.h"
#include "common/WindowChecks.h"
#include "app/modMain.h"
#include "entry/frmMain.h"

#include <QApplication>
#include <QPointer>
#include <QtTest>

#include <optional>

class EntryFixture : public FakeSeams
{
public:
    EntryFixture()
        : entry(modMain::LoadEntryWindow())
    {
        entry->show();
        entry->activateWindow(); // no window manager does it on a bare X server
    }

    QPointer<frmMain> entry;
};

// For the test classes' cleanup(): deletes what the test left, then fails it
// if any window survived.
inline void tearDownEntryTest(std::optional<EntryFixture> &fixture)
{
    destroyLeftoverWindows();
    fixture.reset();
    QCOMPARE(visibleTopLevelWindows(), QStringList());
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}
