// SPDX-License-Identifier: MIT
#include "widgetkit/DialogKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

DialogKeys::DialogKeys(QWidget *window, QPushButton *defaultButton, QPushButton *cancelButton)
    : QObject(window)
    , window_(window)
    , defaultButton_(defaultButton)
    , cancelButton_(cancelButton)
{
    window->installEventFilter(this);
}

bool DialogKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != window_ || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    QPushButton *button = buttonFor(key->key());
    if (!button || !button->isVisible() || !button->isEnabled())
        return false;
    button->click();
    return true;
}

QPushButton *DialogKeys::buttonFor(int key) const
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto *focused = qobject_cast<QPushButton *>(QApplication::focusWidget());
            focused && focused->window() == window_)
            return focused;
        return defaultButton_;
    case Qt::Key_Escape:
        return cancelButton_;
    default:
        return nullptr;
    }
}
