// SPDX-License-Identifier: MIT
// The About window: program name and version, what the program describes, and
// two links to the maker's pages.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmAbout;
}

class frmAbout : public QDialog
{
    Q_OBJECT
public:
    // Builds the About window afresh and shows it modally; returns once it is closed.
    static void ShowModal();

    explicit frmAbout(QWidget *parent = nullptr);
    ~frmAbout() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setUpWindow();
    void setUpControls();
    void applyLook();
    void connectHandlers();

    void cmdOK_Click();
    void lblHomePage_Click();
    void Label5_Click();

    const std::unique_ptr<Ui::frmAbout> ui;
};
