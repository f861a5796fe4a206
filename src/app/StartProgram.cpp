// SPDX-License-Identifier: MIT
#include "app/modMain.h"

#include "app/Platform.h"
#include "entry/frmMain.h"
#include "links/modHelp.h"

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
    ignoreErrors([&running] { running = !platform::instanceLock().tryAcquire(); });
    return running;
}

void showEntryWindow()
{
    auto *entry = new frmMain;
    entry->show();
}

} // namespace

void StartProgram()
{
    if (anotherInstanceRuns()) {
        ignoreErrors([] { platform::messageBoxes().information(AlreadyRunning); });
        EndProgram();
        return; // Only reached when ending the process is faked.
    }
    ignoreErrors([] { platform::randomSource().seedFromTimeOfDay(); });
    ignoreErrors(modHelp::CheckUpdateReminder);
    ignoreErrors(showEntryWindow);
    ignoreErrors(CoBrand_Randomize);
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
        entry->ui.lblCobrand->raise();
        break;
    case 2:
    case 4:
    case 6:
        entry->ui.lblFullBrand->raise();
        break;
    default:
        break; // 7 keeps the stacking as laid out.
    }
}

} // namespace modMain
