// SPDX-License-Identifier: MIT
// The entry window: the user types a name, picks a birth date from three lists
// and asks for the Venus sign of that date.
#pragma once

#include "chrome/WindowChrome.h"

#include <memory>
#include <optional>

class QInputMethodEvent;
class QKeyEvent;

namespace Ui {
class frmMain;
}

class frmMain : public WindowChrome
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;
    // The entry window that is loaded, or nullptr.
    static frmMain *loaded();

    // Brings one of the two overlapping promotional labels in front of the other.
    void bringCoBrandToFront();
    void bringFullBrandToFront();

signals:
    // The find action found a sign: show it, with its paragraph if it has one,
    // in place of this window.
    void resultRequested(const QString &sign, const std::optional<QString> &paragraph);
    // The window is unloading: the user leaves the program.
    void programExitRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyDesign();
    void applyLook();
    void connectHandlers();
    bool filterNameKey(QKeyEvent *key);
    void filterComposedText(QInputMethodEvent *event);

    void Form_Load();
    void Form_Unload() override;
    // Gets the code of the character typed into the name box; a changed code
    // is inserted instead, 0 cancels the key.
    void txtName_KeyPress(char16_t &keyCode);
    // True when the input may be looked up; otherwise it has told the user why not.
    bool ValidateEntry();

    void cmdNext_Click();

    const std::unique_ptr<Ui::frmMain> ui;
};
