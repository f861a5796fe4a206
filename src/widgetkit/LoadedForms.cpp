// SPDX-License-Identifier: MIT
#include "widgetkit/LoadedForms.h"

#include <QPointer>
#include <QWidget>

namespace loadedforms {
namespace {

QList<QPointer<QWidget>> &loadedList()
{
    static QList<QPointer<QWidget>> forms;
    return forms;
}

} // namespace

void track(QWidget *form)
{
    if (form && !isLoaded(form))
        loadedList().append(form);
}

void untrack(QWidget *form)
{
    loadedList().removeIf([form](const QPointer<QWidget> &entry) { return entry.isNull() || entry == form; });
}

bool isLoaded(const QWidget *form)
{
    return form && loadedList().contains(form);
}

QList<QWidget *> all()
{
    QList<QWidget *> forms;
    for (const QPointer<QWidget> &form : std::as_const(loadedList()))
        if (form)
            forms.append(form);
    return forms;
}

void unload(QWidget *form)
{
    if (!form)
        return;
    untrack(form);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->close();
}

} // namespace loadedforms
