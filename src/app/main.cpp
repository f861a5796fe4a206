// SPDX-License-Identifier: MIT
#include "app/FontWarmUp.h"
#include "app/modMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    warmUpFontConfiguration();
    QApplication app(argc, argv);
    // The entry window is hidden while a result shows; only EndProgram ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    modMain::StartProgram();
    return app.exec();
}
