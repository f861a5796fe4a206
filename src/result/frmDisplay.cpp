// SPDX-License-Identifier: MIT
#include "result/frmDisplay.h"

#include "about/frmAbout.h"
#include "app/AppInfo.h"
#include "app/DialogKeys.h"
#include "app/LabelClick.h"
#include "app/modMain.h"
#include "app/ScreenCentre.h"
#include "entry/frmMain.h"
#include "links/modHelp.h"
#include "resources/Artwork.h"

#include <QCloseEvent>
#include <QLayout>
#include <QPointer>
#include <QShowEvent>
#include <QTimer>

namespace {
QPointer<frmDisplay> loadedDisplay;
}

frmDisplay::frmDisplay(QWidget *parent)
    : QMainWindow(parent)
{
    ui.setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setUpWindow();
    setUpControls();
    connectHandlers();
    loadedDisplay = this;
    modMain::trackLoadedForm(this);
}

frmDisplay::~frmDisplay()
{
    modMain::untrackLoadedForm(this);
}

frmDisplay *frmDisplay::loaded()
{
    return loadedDisplay;
}

void frmDisplay::setUpWindow()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(appinfo::WindowTitle);
    setWindowIcon(artwork::programIcon());
    // The central widget has the fixed client size; the window is that plus the menu bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    new DialogKeys(this, ui.cmdExit, ui.cmdExit);
}

void frmDisplay::setUpControls()
{
    ui.Label61->setText(modHelp::DiscussionBoardBanner());
    ui.Label61->setCursor(artwork::handCursor());
    ui.lblFullBrand->setCursor(artwork::handCursor());
    ui.lblCobrand->setCursor(artwork::monochromeHandCursor());
    ui.cmdExit->setFocus();
}

void frmDisplay::connectHandlers()
{
    connect(ui.cmdBack, &QPushButton::clicked, this, &frmDisplay::cmdBack_Click);
    connect(ui.cmdExit, &QPushButton::clicked, this, &frmDisplay::cmdExit_Click);
    connect(ui.mnuFileBack, &QAction::triggered, this, &frmDisplay::mnuFileBack_Click);
    connect(ui.mnuExit, &QAction::triggered, this, &frmDisplay::mnuExit_Click);
    connect(ui.mnuOnline, &QAction::triggered, this, &frmDisplay::mnuOnline_Click);
    connect(ui.mnuVisit, &QAction::triggered, this, &frmDisplay::mnuVisit_Click);
    connect(ui.mnuUpdate, &QAction::triggered, this, &frmDisplay::mnuUpdate_Click);
    connect(ui.mnuAbout, &QAction::triggered, this, &frmDisplay::mnuAbout_Click);
    connect(ui.mnuDonate, &QAction::triggered, this, &frmDisplay::mnuDonate_Click);
    connect(ui.mnuMakeMoneyOnline, &QAction::triggered, this, &frmDisplay::mnuMakeMoneyOnline_Click);
    connect(new LabelClick(ui.Label61), &LabelClick::clicked, this, &frmDisplay::Label61_Click);
    connect(new LabelClick(ui.lblCobrand), &LabelClick::clicked, this, &frmDisplay::lblCobrand_Click);
    connect(new LabelClick(ui.lblFullBrand), &LabelClick::clicked, this, &frmDisplay::lblFullBrand_Click);
}

void frmDisplay::fitSelfSizingLabels()
{
    for (QLabel *label : {ui.Label6, ui.Label7, ui.lblLoveSign})
        label->adjustSize();
}

void frmDisplay::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    fitSelfSizingLabels();
    ui.cmdExit->setFocus();
    centreOnScreen(this);
    // Once shown, the window manager's frame is known; centre the whole frame.
    QTimer::singleShot(0, this, [this] { centreOnScreen(this); });
}

void frmDisplay::closeEvent(QCloseEvent *event)
{
    modMain::untrackLoadedForm(this);
    Form_Unload();
    event->accept();
}

void frmDisplay::cmdBack_Click()
{
    unloadingForBack_ = true;
    modMain::ignoreErrors([this] { modMain::unloadForm(this); });
    modMain::ignoreErrors([] {
        if (frmMain *entry = frmMain::loaded())
            entry->show();
    });
}

void frmDisplay::mnuFileBack_Click()
{
    cmdBack_Click();
}

void frmDisplay::cmdExit_Click()
{
    modMain::ignoreErrors([this] { modMain::unloadForm(this); });
}

void frmDisplay::mnuExit_Click()
{
    cmdExit_Click();
}

void frmDisplay::Form_Unload()
{
    if (!unloadingForBack_)
        modMain::ignoreErrors(modMain::EndProgram);
}

void frmDisplay::mnuAbout_Click()
{
    modMain::ignoreErrors(frmAbout::ShowModal);
}

void frmDisplay::mnuOnline_Click()
{
    modMain::ignoreErrors(modHelp::OpenHelpPage);
}

void frmDisplay::mnuVisit_Click()
{
    modMain::ignoreErrors(modHelp::OpenHomePage);
}

void frmDisplay::mnuUpdate_Click()
{
    modMain::ignoreErrors(modHelp::OpenDownloadPage);
}

void frmDisplay::mnuDonate_Click()
{
    modMain::ignoreErrors(modHelp::OpenDonatePage);
}

void frmDisplay::mnuMakeMoneyOnline_Click()
{
    modMain::ignoreErrors(modHelp::OpenFullyBrandedPage);
}

void frmDisplay::Label61_Click()
{
    modMain::ignoreErrors(modHelp::OpenHomePage);
}

void frmDisplay::lblCobrand_Click()
{
    modMain::ignoreErrors(modHelp::OpenCoBrandPage);
}

void frmDisplay::lblFullBrand_Click()
{
    modMain::ignoreErrors(modHelp::OpenFullyBrandedPage);
}
