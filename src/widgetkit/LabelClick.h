// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QWidget;

// Turns a label into a link: emits clicked() on a single left click, that is a
// left press and release both inside the label. A double click counts once.
// It is a child of the label and lives as long as the label does. Screen
// readers see the label as a link they can press.
class LabelClick : public QObject
{
    Q_OBJECT
public:
    explicit LabelClick(QWidget *label);

    // Clicks the label as a left click would.
    void click();

signals:
    void clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *label_;
    bool pressed_ = false;
};
