// SPDX-License-Identifier: MIT
#include "entry/frmMain.h"

#include "app/modMain.h"

#include <QPointer>

namespace {
QPointer<frmMain> loadedEntry;
}

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent)
{
    ui.setupUi(this);
    loadedEntry = this;
    modMain::trackLoadedForm(this);
}

frmMain::~frmMain()
{
    modMain::untrackLoadedForm(this);
}

frmMain *frmMain::loaded()
{
    return loadedEntry;
}
