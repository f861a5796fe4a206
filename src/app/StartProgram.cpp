// SPDX-License-Identifier: MIT
#include "app/modMain.h"

#include "entry/frmMain.h"
#include "links/modHelp.h"
#include "platform/IgnoreErrors.h"
#include "platform/Platform.h"

#include <cmath>

namespace modMain {

qint16 intCoBrandRandomNumber = 0;

namespace {

const QString AlreadyRunning = QStringLiteral("Application is already running");

// Rounds to the nearest integer, exact halves to the even neighbour.
qint16 roundHalfToEven(float value)
{
    return static_cast<qint16>(std::nearbyint(value));
}

bool anotherInstanceRuns()
{
    bool running = false;
    platform::ignoreErrors([&running] { running = !platform::instanceLock().tryAcquire(); });
    return running;
}

void showEntryWindow()
{
    LoadEntryWindow()->show();
}

} // namespace

void StartProgram()
{
    if (anotherInstanceRuns()) {
        platform::ignoreErrors([] { platform::messageBoxes().information(AlreadyRunning); });
        EndProgram();
        return; // Only reached when ending the process is faked.
    }
    platform::ignoreErrors([] { platform::randomSource().seedFromTimeOfDay(); });
    platform::ignoreErrors(modHelp::CheckUpdateReminder);
    platform::ignoreErrors(showEntryWindow);
    platform::ignoreErrors(CoBrand_Randomize);
}

void CoBrand_Randomize()
{
    const float draw = platform::randomSource().next();
    intCoBrandRandomNumber = roundHalfToEven(draw * 6.0f + 1.0f);
    frmMain *entry = frmMain::loaded();
    if (!entry)
        return;
    switch (intCoBrandRandomNumber) {
    case 1:
    case 3:
    case 5:
        entry->bringCoBrandToFront();
        break;
    case 2:
    case 4:
    case 6:
        entry->bringFullBrandToFront();
        break;
    default:
        break; // 7 keeps the stacking as laid out.
    }
}

} // namespace modMain
