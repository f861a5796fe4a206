// SPDX-License-Identifier: MIT
// Placeholder result window until the real one lands.
#pragma once

#include "ui_frmDisplay.h"

#include <QMainWindow>

class frmDisplay : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmDisplay(QWidget *parent = nullptr);
    ~frmDisplay() override;
    // The result window that is loaded, or nullptr.
    static frmDisplay *loaded();

    Ui::frmDisplay ui;
};
