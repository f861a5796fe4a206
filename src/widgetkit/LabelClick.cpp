// SPDX-License-Identifier: MIT
#include "widgetkit/LabelClick.h"

#include "widgetkit/AccessibleLink.h"

#include <QMouseEvent>
#include <QWidget>

LabelClick::LabelClick(QWidget *label)
    : QObject(label)
    , label_(label)
{
    label->installEventFilter(this);
    accessibility::exposeAsLink(label);
}

void LabelClick::click()
{
    emit clicked();
}

bool LabelClick::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != label_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        pressed_ = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        break;
    case QEvent::MouseButtonDblClick:
        pressed_ = false;
        break;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool click = pressed_ && mouse->button() == Qt::LeftButton
                           && label_->rect().contains(mouse->position().toPoint());
        pressed_ = false;
        if (click)
            emit clicked();
        break;
    }
    default:
        break;
    }
    return false;
}
