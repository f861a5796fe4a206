// SPDX-License-Identifier: MIT
#include "about/frmAbout.h"
#include "ui_frmAbout.h"

#include "links/modHelp.h"
#include "platform/IgnoreErrors.h"
#include "platform/ProgramInfo.h"
#include "resources/Artwork.h"
#include "widgetkit/LabelClick.h"
#include "widgetkit/LoadedForms.h"
#include "widgetkit/Look.h"
#include "widgetkit/ScreenCentre.h"

#include <QApplication>
#include <QPointer>
#include <QShowEvent>

namespace {

// The window the About window belongs to, so that it gets no taskbar button of its own.
QWidget *ownerWindow()
{
    QWidget *active = QApplication::activeWindow();
    if (active && active->windowType() != Qt::Popup)
        return active;
    for (QWidget *form : loadedforms::all())
        if (form->isVisible())
            return form;
    return nullptr;
}

} // namespace

void frmAbout::ShowModal()
{
    // A window that cannot be made is not shown; the caller goes on.
    platform::ignoreErrors([] {
        QPointer<frmAbout> about = new frmAbout(ownerWindow());
        about->exec();
        delete about;
    });
}

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::frmAbout>())
{
    ui->setupUi(this);
    setUpWindow();
    applyLook();
    setUpControls();
    connectHandlers();
    loadedforms::track(this);
}

frmAbout::~frmAbout()
{
    loadedforms::untrack(this);
}

void frmAbout::setUpWindow()
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(programinfo::WindowTitle);
    setWindowIcon(artwork::programIcon());
    setFixedSize(size());
}

void frmAbout::setUpControls()
{
    ui->Label2->setText(programinfo::WindowTitle);
    ui->picIcon->setPixmap(artwork::programPicture(devicePixelRatioF()));
    ui->picIcon->adjustSize();
    ui->lblHomePage->setText(modHelp::HomePageInvitation());
    ui->lblHomePage->setCursor(artwork::handCursor());
    ui->Label5->setCursor(artwork::handCursor());
    ui->cmdOK->setFocus();
}

void frmAbout::applyLook()
{
    using namespace look;
    fill(this, Teal);
    picture(ui->picIcon);
    caption(ui->Label2, verdana(9.75, Bold), Magenta);
    caption(ui->Label1, verdana(8.25, Regular), Cyan);
    caption(ui->Label6, verdana(8.25, Bold), Cyan);
    for (QLabel *link : {ui->lblHomePage, ui->Label5})
        caption(link, verdana(8.25, Bold, Underlined), Magenta);
    fill(ui->Line2, Cyan);
    button(ui->cmdOK, verdana(8.25, Bold));
}

void frmAbout::connectHandlers()
{
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(new LabelClick(ui->lblHomePage), &LabelClick::clicked, this, &frmAbout::lblHomePage_Click);
    connect(new LabelClick(ui->Label5), &LabelClick::clicked, this, &frmAbout::Label5_Click);
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    for (QLabel *label : {ui->Label2, ui->lblHomePage, ui->Label5})
        label->adjustSize();
    centreOnScreen(this);
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::lblHomePage_Click()
{
    modHelp::OpenHomePage();
}

void frmAbout::Label5_Click()
{
    modHelp::OpenFullyBrandedPage();
}
