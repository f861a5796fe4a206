// SPDX-License-Identifier: MIT
#include "result/frmDisplay.h"
#include "ui_frmDisplay.h"

#include "widgetkit/LoadedForms.h"
#include "widgetkit/Look.h"

#include <QPointer>
#include <QShowEvent>

namespace {
QPointer<frmDisplay> loadedDisplay;
}

frmDisplay::frmDisplay(QWidget *parent)
    : WindowChrome(parent)
    , ui(std::make_unique<Ui::frmDisplay>())
{
    ui->setupUi(this);
    setUpChrome(*ui, {ui->mnuFileBack, QStringLiteral("&Check for Software Update"), {"mnuFileSep1", "mnuFileSep2"}});
    applyLook();
    connectHandlers();
    ui->cmdExit->setFocus();
    loadedDisplay = this;
}

frmDisplay::~frmDisplay() = default;

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

void frmDisplay::applyLook()
{
    using namespace look;
    captionedFrame(ui->fraLoveSign, verdana(9, Bold), Cyan, Teal);
    for (QLabel *label : {ui->Label6, ui->Label7})
        caption(label, verdana(9, Bold), Cyan);
    caption(ui->lblLoveSign, verdana(9, Bold), White);
    caption(ui->lblSignDesc, verdana(8.25, Bold), White);
    for (QPushButton *command : {ui->cmdBack, ui->cmdExit})
        button(command, verdana(8.25, Bold));
}

void frmDisplay::connectHandlers()
{
    connect(ui->cmdBack, &QPushButton::clicked, this, &frmDisplay::cmdBack_Click);
    connect(ui->mnuFileBack, &QAction::triggered, this, &frmDisplay::cmdBack_Click);
}

void frmDisplay::fitSelfSizingLabels()
{
    for (QLabel *label : {ui->Label6, ui->Label7, ui->lblLoveSign})
        label->adjustSize();
}

void frmDisplay::showEvent(QShowEvent *event)
{
    WindowChrome::showEvent(event);
    if (event->spontaneous())
        return;
    fitSelfSizingLabels();
    ui->cmdExit->setFocus();
}

void frmDisplay::cmdBack_Click()
{
    unloadingForBack_ = true;
    loadedforms::unload(this);
    emit backRequested();
}

void frmDisplay::Form_Unload()
{
    if (!unloadingForBack_)
        emit programExitRequested();
}
