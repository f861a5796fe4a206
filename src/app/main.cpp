// SPDX-License-Identifier: MIT
#include "app/modMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The entry window is hidden while a result shows; only EndProgram ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    modMain::StartProgram();
    return app.exec();
}
