// SPDX-License-Identifier: MIT
#include "result/frmDisplay.h"
#include "ui_frmDisplay.h"

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
#include <QLayout>
#include <QPointer>
#include <QShowEvent>
#include <QTimer>

namespace {
QPointer<frmDisplay> loadedDisplay;
}

frmDisplay::frmDisplay(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::frmDisplay>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setUpWindow();
    setUpControls();
    applyLook();
    connectHandlers();
    loadedDisplay = this;
    loadedforms::track(this);
}

frmDisplay::~frmDisplay()
{
    loadedforms::untrack(this);
}

frmDisplay *frmDisplay::loaded()
{
    return loadedDisplay;
}

void frmDisplay::setResult(const QString &sign, const std::optional<QString> &paragraph)
{
    if (paragraph)
        ui->lblSignDesc->setText(*paragraph);
    ui->lblLoveSign->setText(sign);
    // A screen reader reads the window's description as the window becomes
    // active, so the result is heard while the focus stays on Exit.
    setAccessibleDescription(ui->lblLoveSign->text() + QStringLiteral(". ") + ui->lblSignDesc->text());
}

void frmDisplay::setUpWindow()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(programinfo::WindowTitle);
    setWindowIcon(artwork::programIcon());
    // The central widget has the fixed client size; the window is that plus the menu bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    new DialogKeys(this, ui->cmdExit, ui->cmdExit);
}

void frmDisplay::setUpControls()
{
    ui->Label61->setText(modHelp::DiscussionBoardBanner());
    ui->Label61->setCursor(artwork::handCursor());
    ui->lblFullBrand->setCursor(artwork::handCursor());
    ui->lblCobrand->setCursor(artwork::monochromeHandCursor());
    ui->cmdExit->setFocus();
}

void frmDisplay::applyLook()
{
    using namespace look;
    fill(ui->centralwidget, Teal);
    fill(ui->Frame2, DarkGrey);
    fill(ui->Frame5, DarkGrey);
    caption(ui->Label61, verdana(9, Bold, Underlined), Magenta);
    captionedFrame(ui->fraLoveSign, verdana(9, Bold), Cyan, Teal);
    for (QLabel *label : {ui->Label6, ui->Label7})
        caption(label, verdana(9, Bold), Cyan);
    caption(ui->lblLoveSign, verdana(9, Bold), White);
    caption(ui->lblSignDesc, verdana(8.25, Bold), White);
    for (QPushButton *command : {ui->cmdBack, ui->cmdExit})
        button(command, verdana(8.25, Bold));
    promotion(ui->lblFullBrand);
    promotion(ui->lblCobrand);
    look::menuBar(ui->menubar);
}

void frmDisplay::connectHandlers()
{
    connect(ui->cmdBack, &QPushButton::clicked, this, &frmDisplay::cmdBack_Click);
    connect(ui->cmdExit, &QPushButton::clicked, this, &frmDisplay::cmdExit_Click);
    connect(ui->mnuFileBack, &QAction::triggered, this, &frmDisplay::mnuFileBack_Click);
    connect(ui->mnuExit, &QAction::triggered, this, &frmDisplay::mnuExit_Click);
    connect(ui->mnuOnline, &QAction::triggered, this, &frmDisplay::mnuOnline_Click);
    connect(ui->mnuVisit, &QAction::triggered, this, &frmDisplay::mnuVisit_Click);
    connect(ui->mnuUpdate, &QAction::triggered, this, &frmDisplay::mnuUpdate_Click);
    connect(ui->mnuAbout, &QAction::triggered, this, &frmDisplay::mnuAbout_Click);
    connect(ui->mnuDonate, &QAction::triggered, this, &frmDisplay::mnuDonate_Click);
    connect(ui->mnuMakeMoneyOnline, &QAction::triggered, this, &frmDisplay::mnuMakeMoneyOnline_Click);
    connect(new LabelClick(ui->Label61), &LabelClick::clicked, this, &frmDisplay::Label61_Click);
    connect(new LabelClick(ui->lblCobrand), &LabelClick::clicked, this, &frmDisplay::lblCobrand_Click);
    connect(new LabelClick(ui->lblFullBrand), &LabelClick::clicked, this, &frmDisplay::lblFullBrand_Click);
}

void frmDisplay::fitSelfSizingLabels()
{
    for (QLabel *label : {ui->Label6, ui->Label7, ui->lblLoveSign})
        label->adjustSize();
}

void frmDisplay::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    fitSelfSizingLabels();
    ui->cmdExit->setFocus();
    centreOnScreen(this);
    // Once shown, the window manager's frame is known; centre the whole frame.
    QTimer::singleShot(0, this, [this] { centreOnScreen(this); });
}

void frmDisplay::closeEvent(QCloseEvent *event)
{
    loadedforms::untrack(this);
    Form_Unload();
    event->accept();
}

void frmDisplay::cmdBack_Click()
{
    unloadingForBack_ = true;
    loadedforms::unload(this);
    emit backRequested();
}

void frmDisplay::mnuFileBack_Click()
{
    cmdBack_Click();
}

void frmDisplay::cmdExit_Click()
{
    loadedforms::unload(this);
}

void frmDisplay::mnuExit_Click()
{
    cmdExit_Click();
}

void frmDisplay::Form_Unload()
{
    if (!unloadingForBack_)
        emit programExitRequested();
}

void frmDisplay::mnuAbout_Click()
{
    frmAbout::ShowModal();
}

void frmDisplay::mnuOnline_Click()
{
    modHelp::OpenHelpPage();
}

void frmDisplay::mnuVisit_Click()
{
    modHelp::OpenHomePage();
}

void frmDisplay::mnuUpdate_Click()
{
    modHelp::OpenDownloadPage();
}

void frmDisplay::mnuDonate_Click()
{
    modHelp::OpenDonatePage();
}

void frmDisplay::mnuMakeMoneyOnline_Click()
{
    modHelp::OpenFullyBrandedPage();
}

void frmDisplay::Label61_Click()
{
    modHelp::OpenHomePage();
}

void frmDisplay::lblCobrand_Click()
{
    modHelp::OpenCoBrandPage();
}

void frmDisplay::lblFullBrand_Click()
{
    modHelp::OpenFullyBrandedPage();
}
