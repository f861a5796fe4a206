// SPDX-License-Identifier: MIT
#include "app/modMain.h"

#include "app/Platform.h"

namespace modMain {
namespace {

QList<QPointer<QWidget>> &loadedList()
{
    static QList<QPointer<QWidget>> forms;
    return forms;
}

} // namespace

void trackLoadedForm(QWidget *form)
{
    if (form && !isLoaded(form))
        loadedList().append(form);
}

void untrackLoadedForm(QWidget *form)
{
    loadedList().removeIf([form](const QPointer<QWidget> &entry) { return entry.isNull() || entry == form; });
}

bool isLoaded(const QWidget *form)
{
    return form && loadedList().contains(form);
}

QList<QWidget *> loadedForms()
{
    QList<QWidget *> forms;
    for (const QPointer<QWidget> &form : std::as_const(loadedList()))
        if (form)
            forms.append(form);
    return forms;
}

void unloadForm(QWidget *form)
{
    if (!form)
        return;
    untrackLoadedForm(form);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->close();
}

void ignoreErrors(const std::function<void()> &step) noexcept
{
    try {
        step();
    } catch (...) {
    }
}

void EndProgram()
{
    const QList<QPointer<QWidget>> snapshot = loadedList();
    for (const QPointer<QWidget> &form : snapshot) {
        ignoreErrors([&form] {
            // An inner call may already have unloaded it.
            if (isLoaded(form))
                unloadForm(form);
        });
    }
    // Saved before the lock goes, so an instance started next reads it.
    ignoreErrors([] { platform::settingsStore().save(); });
    ignoreErrors([] { platform::processEnder().endProcess(); });
}

} // namespace modMain
