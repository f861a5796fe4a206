// SPDX-License-Identifier: MIT
#include "result/frmDisplay.h"

#include "app/modMain.h"

#include <QPointer>

namespace {
QPointer<frmDisplay> loadedDisplay;
}

frmDisplay::frmDisplay(QWidget *parent)
    : QMainWindow(parent)
{
    ui.setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
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
