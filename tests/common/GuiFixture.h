// SPDX-License-Identifier: MIT
// What every window test runs under: fakes for the message boxes, the browser
// and the end of the process, the windows it shows, and afterwards no window
// left behind and LoveSign as at start.
#pragma once

#include "common/Fakes.h"
#include "common/WindowChecks.h"

#include <QApplication>
#include <QtTest>

#include <optional>

class GuiFixture
{
public:
    // From the test class's init(): fresh fakes for every test function.
    void start() { seams_.emplace(); }

    // Shows the window and waits until it is active; no window manager makes
    // it so on a bare X server.
    template<class Window>
    Window *show(Window *window)
    {
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qWarning("%s did not become active", qPrintable(window->objectName()));
        return window;
    }

    // From the test class's cleanup(): deletes what the test left, then fails
    // the test if any window survived.
    void finish()
    {
        destroyLeftoverWindows();
        seams_.reset();
        QCOMPARE(visibleTopLevelWindows(), QStringList());
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    FakeSeams *operator->() { return &*seams_; }

private:
    std::optional<FakeSeams> seams_;
};
