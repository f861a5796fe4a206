// SPDX-License-Identifier: MIT
// The About window: program name and version, what the program describes, and
// two links to the maker's pages.
#pragma once

#include "ui_frmAbout.h"

#include <QDialog>

class frmAbout : public QDialog
{
    Q_OBJECT
public:
    // Builds the About window afresh and shows it modally; returns once it is closed.
    static void ShowModal();

    explicit frmAbout(QWidget *parent = nullptr);
    ~frmAbout() override;

    Ui::frmAbout ui;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setUpWindow();
    void setUpControls();
    void connectHandlers();

    void cmdOK_Click();
    void lblHomePage_Click();
    void Label5_Click();
};
