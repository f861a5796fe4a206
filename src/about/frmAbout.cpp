// SPDX-License-Identifier: MIT
#include "about/frmAbout.h"

#include "app/AppInfo.h"
#include "app/LabelClick.h"
#include "app/modMain.h"
#include "app/ScreenCentre.h"
#include "links/modHelp.h"
#include "resources/Artwork.h"

#include <QApplication>
#include <QPointer>
#include <QShowEvent>
#include <QTimer>

namespace {

constexpr int IconSize = 32;

// The window the About window belongs to, so that it gets no taskbar button of its own.
QWidget *ownerWindow()
{
    QWidget *active = QApplication::activeWindow();
    if (active && active->windowType() != Qt::Popup)
        return active;
    for (QWidget *form : modMain::loadedForms())
        if (form->isVisible())
            return form;
    return nullptr;
}

} // namespace

void frmAbout::ShowModal()
{
    QPointer<frmAbout> about = new frmAbout(ownerWindow());
    about->exec();
    delete about;
}

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
{
    ui.setupUi(this);
    setUpWindow();
    setUpControls();
    connectHandlers();
    modMain::trackLoadedForm(this);
}

frmAbout::~frmAbout()
{
    modMain::untrackLoadedForm(this);
}

void frmAbout::setUpWindow()
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(appinfo::WindowTitle);
    setWindowIcon(artwork::programIcon());
    setFixedSize(size());
}

void frmAbout::setUpControls()
{
    ui.picIcon->setPixmap(artwork::programIcon().pixmap(IconSize, IconSize));
    ui.picIcon->adjustSize();
    ui.lblHomePage->setText(modHelp::HomePageInvitation());
    ui.lblHomePage->setCursor(artwork::handCursor());
    ui.Label5->setCursor(artwork::handCursor());
    ui.cmdOK->setFocus();
}

void frmAbout::connectHandlers()
{
    connect(ui.cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(new LabelClick(ui.lblHomePage), &LabelClick::clicked, this, &frmAbout::lblHomePage_Click);
    connect(new LabelClick(ui.Label5), &LabelClick::clicked, this, &frmAbout::Label5_Click);
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    for (QLabel *label : {ui.Label2, ui.lblHomePage, ui.Label5})
        label->adjustSize();
    centreOnScreen(this);
    // Once shown, the window manager's frame is known; centre the whole frame.
    QTimer::singleShot(0, this, [this] { centreOnScreen(this); });
}

void frmAbout::cmdOK_Click()
{
    modMain::ignoreErrors([this] { accept(); });
}

void frmAbout::lblHomePage_Click()
{
    modMain::ignoreErrors(modHelp::OpenHomePage);
}

void frmAbout::Label5_Click()
{
    modMain::ignoreErrors(modHelp::OpenFullyBrandedPage);
}
