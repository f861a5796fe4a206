// SPDX-License-Identifier: MIT
// The result window: the Venus sign found for the entered birth date and its
// paragraph, with Back to the entry window and Exit out of the program.
#pragma once

#include "chrome/WindowChrome.h"

#include <memory>
#include <optional>

namespace Ui {
class frmDisplay;
}

class frmDisplay : public WindowChrome
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

private:
    void applyLook();
    void connectHandlers();
    // Self-sizing labels take the size of their text, keeping their place.
    void fitSelfSizingLabels();

    void cmdBack_Click();
    void Form_Unload() override;

    const std::unique_ptr<Ui::frmDisplay> ui;
    // Set by Back, whose unload must not end the program.
    bool unloadingForBack_ = false;
};
