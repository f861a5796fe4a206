// SPDX-License-Identifier: MIT
#include "app/modMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    modMain::StartProgram();
    return app.exec();
}
