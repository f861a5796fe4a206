// SPDX-License-Identifier: MIT
#include "chrome/WindowChrome.h"
#include "ui_WindowChrome.h"

#include "about/frmAbout.h"
#include "links/modHelp.h"
#include "platform/ProgramInfo.h"
#include "resources/Artwork.h"
#include "widgetkit/DialogKeys.h"
#include "widgetkit/LabelClick.h"
#include "widgetkit/LoadedForms.h"
#include "widgetkit/Look.h"
#include "widgetkit/ScreenCentre.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QShowEvent>

WindowChrome::WindowChrome(QWidget *parent)
    : QMainWindow(parent)
    , menus_(std::make_unique<Ui::WindowChrome>())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(programinfo::WindowTitle);
    setWindowIcon(artwork::programIcon());
    loadedforms::track(this);
}

WindowChrome::~WindowChrome()
{
    loadedforms::untrack(this);
}

void WindowChrome::setUpChrome(const Parts &parts, const OwnMenuEntries &menu)
{
    // After the window's own form, which has named the window already.
    setUpMenuBar(menu);
    dressControls(parts);
    connectHandlers(parts);
    new DialogKeys(this, parts.exit, parts.exit);
    // The central widget has the fixed client size; the window is that plus the menu bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void WindowChrome::setUpMenuBar(const OwnMenuEntries &menu)
{
    menus_->setupUi(this);
    menus_->mnuFile->insertAction(menus_->mnuExit, menu.fileEntry);
    menus_->mnuUpdate->setText(menu.updateText);
    menus_->mnuHelpSeparator1->setObjectName(QLatin1String(menu.helpSeparators[0]));
    menus_->mnuHelpSeparator2->setObjectName(QLatin1String(menu.helpSeparators[1]));
}

void WindowChrome::dressControls(const Parts &parts)
{
    using namespace look;
    fill(centralWidget(), Teal);
    fill(parts.bannerBar, DarkGrey);
    fill(parts.bottomBar, DarkGrey);
    parts.banner->setText(modHelp::DiscussionBoardBanner());
    caption(parts.banner, verdana(9, Bold, Underlined), Magenta);
    parts.banner->setCursor(artwork::handCursor());
    promotion(parts.fullBrand);
    parts.fullBrand->setCursor(artwork::handCursor());
    promotion(parts.coBrand);
    parts.coBrand->setCursor(artwork::monochromeHandCursor());
    look::menuBar(menus_->menubar);
}

void WindowChrome::connectHandlers(const Parts &parts)
{
    connect(parts.exit, &QPushButton::clicked, this, &WindowChrome::cmdExit_Click);
    connect(menus_->mnuExit, &QAction::triggered, this, &WindowChrome::cmdExit_Click);
    connect(menus_->mnuOnline, &QAction::triggered, this, &WindowChrome::mnuOnline_Click);
    connect(menus_->mnuVisit, &QAction::triggered, this, &WindowChrome::mnuVisit_Click);
    connect(menus_->mnuUpdate, &QAction::triggered, this, &WindowChrome::mnuUpdate_Click);
    connect(menus_->mnuAbout, &QAction::triggered, this, &WindowChrome::mnuAbout_Click);
    connect(menus_->mnuDonate, &QAction::triggered, this, &WindowChrome::mnuDonate_Click);
    connect(menus_->mnuMakeMoneyOnline, &QAction::triggered, this, &WindowChrome::mnuMakeMoneyOnline_Click);
    connect(new LabelClick(parts.banner), &LabelClick::clicked, this, &WindowChrome::Label61_Click);
    connect(new LabelClick(parts.coBrand), &LabelClick::clicked, this, &WindowChrome::lblCobrand_Click);
    connect(new LabelClick(parts.fullBrand), &LabelClick::clicked, this, &WindowChrome::lblFullBrand_Click);
}

void WindowChrome::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Centred when first shown; later it comes back where the user left it.
    if (centred_)
        return;
    centred_ = true;
    centreOnScreen(this);
}

void WindowChrome::closeEvent(QCloseEvent *event)
{
    loadedforms::untrack(this);
    Form_Unload();
    event->accept();
}

void WindowChrome::cmdExit_Click() { loadedforms::unload(this); }
void WindowChrome::mnuAbout_Click() { frmAbout::ShowModal(); }
void WindowChrome::mnuOnline_Click() { modHelp::OpenHelpPage(); }
void WindowChrome::mnuVisit_Click() { modHelp::OpenHomePage(); }
void WindowChrome::mnuUpdate_Click() { modHelp::OpenDownloadPage(); }
void WindowChrome::mnuDonate_Click() { modHelp::OpenDonatePage(); }
void WindowChrome::mnuMakeMoneyOnline_Click() { modHelp::OpenFullyBrandedPage(); }
void WindowChrome::Label61_Click() { modHelp::OpenHomePage(); }
void WindowChrome::lblCobrand_Click() { modHelp::OpenCoBrandPage(); }
void WindowChrome::lblFullBrand_Click() { modHelp::OpenFullyBrandedPage(); }
