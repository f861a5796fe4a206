// SPDX-License-Identifier: MIT
// What the entry and result windows share, built once: a fixed-size window
// with a close box only, the menu bar, the discussion-board banner in its dark
// grey bar, the two promotional links over each other in the bottom bar, Exit
// as the default and the cancel button that unloads the window, and a place in
// the middle of the screen when first shown. Each window's own form lays out these controls; the
// chrome dresses them and handles the menu entries and links both windows carry.
#pragma once

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QPushButton;

namespace Ui {
class WindowChrome;
}

// What a window's menu bar does not share with the other window's.
struct OwnMenuEntries
{
    QAction *fileEntry = nullptr;                 // the File menu's entry above Exit, from the window's form
    QString updateText;                           // Help's update entry, whose access key differs
    std::array<const char *, 2> helpSeparators{}; // the names of Help's two separators
};

class WindowChrome : public QMainWindow
{
    Q_OBJECT
public:
    ~WindowChrome() override;

protected:
    explicit WindowChrome(QWidget *parent);

    // Call once the window's own form is set up. The chrome's controls are
    // found in it by the names both windows' forms give them.
    template<class Form>
    void setUpChrome(const Form &form, const OwnMenuEntries &menu)
    {
        setUpChrome({form.Frame2, form.Label61, form.Frame5, form.lblCobrand, form.lblFullBrand, form.cmdExit}, menu);
    }
    void showEvent(QShowEvent *event) override;
    // Unloading the window by any means runs its Form_Unload.
    void closeEvent(QCloseEvent *event) override;
    virtual void Form_Unload() = 0;

    // The handlers of the controls, menu entries and links both windows carry.
    void cmdExit_Click();
    void mnuAbout_Click();
    void mnuOnline_Click();
    void mnuVisit_Click();
    void mnuUpdate_Click();
    void mnuDonate_Click();
    void mnuMakeMoneyOnline_Click();
    void Label61_Click();
    void lblCobrand_Click();
    void lblFullBrand_Click();

private:
    struct Parts
    {
        QFrame *bannerBar;
        QLabel *banner;
        QFrame *bottomBar;
        QLabel *coBrand;
        QLabel *fullBrand;
        QPushButton *exit;
    };
    void setUpChrome(const Parts &parts, const OwnMenuEntries &menu);
    void setUpMenuBar(const OwnMenuEntries &menu);
    void dressControls(const Parts &parts);
    void connectHandlers(const Parts &parts);

    const std::unique_ptr<Ui::WindowChrome> menus_;
    bool centred_ = false;
};
