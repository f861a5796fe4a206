// SPDX-License-Identifier: MIT
// Placeholder entry window until the real one lands.
#pragma once

#include "ui_frmMain.h"

#include <QMainWindow>

class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;
    // The entry window that is loaded, or nullptr.
    static frmMain *loaded();

    Ui::frmMain ui;
};
