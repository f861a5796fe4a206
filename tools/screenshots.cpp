// SPDX-License-Identifier: MIT
// Renders each window of Amorial to a PNG, for review and the README.
// Usage: amorial_screenshots [folder]   (default: ./screenshots)
#include "about/frmAbout.h"
#include "app/modMain.h"
#include "entry/frmMain.h"
#include "result/frmDisplay.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

bool save(QWidget *window, const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name);
    const bool saved = window && window->grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    QDir().mkpath(folder.path());
    bool allSaved = true;

    auto *entry = modMain::LoadEntryWindow();
    entry->findChild<QLineEdit *>("txtName")->setText(QStringLiteral("ANN LEE"));
    entry->findChild<QComboBox *>("cboDate")->setCurrentText(QStringLiteral("14"));
    entry->findChild<QComboBox *>("cboMonth")->setCurrentText(QStringLiteral("July"));
    entry->findChild<QComboBox *>("cboYear")->setCurrentText(QStringLiteral("1932"));
    entry->show();
    allSaved &= save(entry, folder, QStringLiteral("entry-window.png"));

    entry->findChild<QPushButton *>("cmdNext")->click();
    allSaved &= save(frmDisplay::loaded(), folder, QStringLiteral("result-window.png"));

    QTimer::singleShot(0, [&] {
        QWidget *about = QApplication::activeModalWidget();
        allSaved &= save(about, folder, QStringLiteral("about-window.png"));
        if (about)
            about->close();
    });
    frmAbout::ShowModal();
    return allSaved ? 0 : 1;
}
