// SPDX-License-Identifier: MIT
#include "app/CommandLine.h"
#include "app/StartupMessages.h"
#include "app/modMain.h"
#include "platform/FontWarmUp.h"
#include "platform/ProcessSetup.h"
#include "platform/ProgramInfo.h"
#include "widgetkit/ApplicationStyle.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Help and version must work without a display, so they come before the application.
    if (const std::optional<int> answered = commandline::handle(argc, argv))
        return *answered;
    if (const std::optional<QString> refusal = platform::prepareProcess()) {
        std::fprintf(stderr, "amorial: %s\n", qPrintable(*refusal));
        return 1;
    }
    // Nothing is logged: Qt's own warnings (no browser to launch, a runtime folder
    // with the wrong permissions...) stay off the terminal, unless one leads to a fatal failure.
    installStartupMessageHandler();
    platform::warmUpFontConfiguration();
    std::vector<char *> arguments = commandline::applicationArguments(argc, argv);
    int argumentCount = int(arguments.size()) - 1;
    QApplication app(argumentCount, arguments.data());
    // Docks and task switchers match the windows to the menu entry by it.
    QGuiApplication::setDesktopFileName(programinfo::DesktopFileName);
    useApplicationStyle();
    // The entry window is hidden while a result shows; only EndProgram ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    modMain::StartProgram();
    return app.exec();
}
