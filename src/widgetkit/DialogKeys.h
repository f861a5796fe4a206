// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>

class QPushButton;
class QWidget;

// Gives a main window the keys of a dialog, which Qt only offers in a QDialog:
// Enter presses the push button that has the focus, or the default button when
// no button has it; Esc presses the cancel button. Keys reach it only when the
// focused control did not use them, so Esc in an open drop-down list still just
// closes the list.
class DialogKeys : public QObject
{
public:
    DialogKeys(QWidget *window, QPushButton *defaultButton, QPushButton *cancelButton);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPushButton *buttonFor(int key) const;

    QWidget *window_;
    QPointer<QPushButton> defaultButton_;
    QPointer<QPushButton> cancelButton_;
};
