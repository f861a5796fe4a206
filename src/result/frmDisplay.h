// SPDX-License-Identifier: MIT
// The result window: the Venus sign found for the entered birth date and its
// paragraph, with Back to the entry window and Exit out of the program.
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

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setUpWindow();
    void setUpControls();
    void connectHandlers();
    // Self-sizing labels take the size of their text, keeping their place.
    void fitSelfSizingLabels();

    void cmdBack_Click();
    void mnuFileBack_Click();
    void cmdExit_Click();
    void mnuExit_Click();
    void Form_Unload();
    void mnuAbout_Click();
    void mnuOnline_Click();
    void mnuVisit_Click();
    void mnuUpdate_Click();
    void mnuDonate_Click();
    void mnuMakeMoneyOnline_Click();
    void Label61_Click();
    void lblCobrand_Click();
    void lblFullBrand_Click();

    // Set by Back, whose unload must not end the program.
    bool unloadingForBack_ = false;
};
