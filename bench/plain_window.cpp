// SPDX-License-Identifier: MIT
// The plainest Qt Widgets window of the entry window's size: one label, no
// menu bar. The lower yardstick for start-up time.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    QLabel label(QStringLiteral("Amorial"), &window);
    window.setFixedSize(484, 370);
    window.show();
    return app.exec();
}
