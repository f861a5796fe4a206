// SPDX-License-Identifier: MIT
// The result window: the Venus sign found for the entered birth date and its
// paragraph, with Back to the entry window and Exit out of the program.
#pragma once

#include <QMainWindow>

#include <memory>
#include <optional>

namespace Ui {
class frmDisplay;
}

class frmDisplay : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmDisplay(QWidget *parent = nullptr);
    ~frmDisplay() override;
    // The result window that is loaded, or nullptr.
    static frmDisplay *loaded();

    // Shows the sign, and its paragraph when there is one; without one the
    // paragraph label keeps its text. The window's description reads both.
    void setResult(const QString &sign, const std::optional<QString> &paragraph);

signals:
    // Back has unloaded this window: the entry window is to show again.
    void backRequested();
    // The window is unloading other than by Back: the user leaves the program.
    void programExitRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setUpWindow();
    void setUpControls();
    void applyLook();
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

    const std::unique_ptr<Ui::frmDisplay> ui;
    // Set by Back, whose unload must not end the program.
    bool unloadingForBack_ = false;
};
