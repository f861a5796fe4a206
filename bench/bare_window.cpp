// SPDX-License-Identifier: MIT
// The smallest Qt Widgets program with one window: the yardstick for start-up time.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.setFixedSize(484, 370);
    window.show();
    return app.exec();
}
