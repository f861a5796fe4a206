// SPDX-License-Identifier: MIT
#include "app/modMain.h"

#include "entry/frmMain.h"
#include "platform/IgnoreErrors.h"
#include "platform/Platform.h"
#include "result/frmDisplay.h"
#include "widgetkit/LoadedForms.h"

#include <QPointer>

namespace modMain {
namespace {

void showEntryWindowAgain()
{
    if (frmMain *entry = frmMain::loaded())
        entry->show();
}

// Fills the result window and puts it in place of the entry window.
void showResult(frmMain *entry, const QString &sign, const std::optional<QString> &paragraph)
{
    frmDisplay *display = frmDisplay::loaded();
    if (!display)
        platform::ignoreErrors([&display] { display = LoadResultWindow(); });
    if (!display)
        return; // Without a result window, hiding the entry window would leave the user nothing.
    display->setResult(sign, paragraph);
    entry->hide();
    display->show();
}

} // namespace

frmMain *LoadEntryWindow()
{
    auto *entry = new frmMain;
    QObject::connect(entry, &frmMain::resultRequested, entry,
                     [entry](const QString &sign, const std::optional<QString> &paragraph) {
                         showResult(entry, sign, paragraph);
                     });
    QObject::connect(entry, &frmMain::programExitRequested, &EndProgram);
    return entry;
}

frmDisplay *LoadResultWindow()
{
    auto *display = new frmDisplay;
    QObject::connect(display, &frmDisplay::backRequested, &showEntryWindowAgain);
    QObject::connect(display, &frmDisplay::programExitRequested, &EndProgram);
    return display;
}

void EndProgram()
{
    QList<QPointer<QWidget>> snapshot;
    for (QWidget *form : loadedforms::all())
        snapshot.append(form);
    for (const QPointer<QWidget> &form : std::as_const(snapshot)) {
        // An inner call may already have unloaded it, or deleted it.
        if (loadedforms::isLoaded(form))
            loadedforms::unload(form);
    }
    // Saved before the lock goes, so an instance started next reads it.
    platform::ignoreErrors([] { platform::settingsStore().save(); });
    platform::ignoreErrors([] { platform::instanceLock().release(); });
    platform::ignoreErrors([] { platform::processEnder().endProcess(); });
}

} // namespace modMain
