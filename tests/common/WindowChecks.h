// SPDX-License-Identifier: MIT
// The windows a test leaves and sees: clearing away those it left behind,
// listing those on screen, where a window stands, and how often one is shown.
#pragma once

#include "lookup/modPlanetSign.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <QWindow>

// A control of a window, found by its object name, which is the design's own.
template<class Control>
Control *control(const QObject *window, const char *name)
{
    auto *found = window->findChild<Control *>(QLatin1String(name));
    if (!found)
        qFatal("%s has no control %s", qPrintable(window->objectName()), name);
    return found;
}

// Runs the deletions queued with deleteLater().
inline void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Deletes every window a test left alive, and whatever it had queued for
// deletion, and resets the shared sign. Windows with a parent (menus, list
// pop-ups, dialogs) go with it.
inline void destroyLeftoverWindows()
{
    flushDeferredDeletes();
    QList<QPointer<QWidget>> windows;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (!widget->parentWidget())
            windows.append(widget);
    for (const QPointer<QWidget> &window : windows)
        delete window.data();
    flushDeferredDeletes();
    modPlanetSign::LoveSign.clear();
}

// The windows on screen, each as "class objectName".
inline QStringList visibleTopLevelWindows()
{
    QStringList names;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            names.append(QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ')
                         + widget->objectName());
    return names;
}

// How far the window's frame, as the platform has it, stands from the centre
// of its screen's free area.
inline QPoint offScreenCentre(const QWidget *window)
{
    const QRect frame = window->windowHandle() ? window->windowHandle()->frameGeometry() : window->frameGeometry();
    return frame.center() - window->screen()->availableGeometry().center();
}

// Counts how often a widget is shown; it may outlive the widget.
class ShowCounter : public QObject
{
public:
    explicit ShowCounter(QWidget *watched)
    {
        watched->installEventFilter(this);
    }
    int shows = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
};
