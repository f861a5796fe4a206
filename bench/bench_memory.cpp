// SPDX-License-Identifier: MIT
// Resident memory over many Find/Back cycles: what one cycle leaves behind.
// Usage: bench_memory [cycles] [warm-up cycles]   (e.g. QT_QPA_PLATFORM=offscreen)
#include "app/modMain.h"
#include "entry/frmMain.h"
#include "result/frmDisplay.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// VmRSS from /proc, in kB.
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // A /proc file has no size: read it whole, not up to an end.
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void cycle(frmMain &entry, int run)
{
    auto *year = entry.findChild<QComboBox *>(QStringLiteral("cboYear"));
    year->setCurrentIndex(run % year->count());
    entry.findChild<QPushButton *>(QStringLiteral("cmdNext"))->click();
    settle();
    frmDisplay *display = frmDisplay::loaded();
    display->findChild<QPushButton *>(QStringLiteral("cmdBack"))->click();
    settle();
}

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

int run(int argc, char *argv[])
{
    qInstallMessageHandler(quiet);
    QApplication app(argc, argv);
    const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int warmUp = argc > 2 ? std::max(0, std::atoi(argv[2])) : 50;
    auto *entry = modMain::LoadEntryWindow();
    entry->findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(QStringLiteral("ANN LEE"));
    entry->show();
    settle();

    for (int run = 0; run < warmUp; ++run)
        cycle(*entry, run);
    const long afterWarmUp = residentKb();
    for (int run = 0; run < cycles; ++run)
        cycle(*entry, run);
    const long after = residentKb();
    std::printf("resident memory: %ld kB after %d warm-up cycles, %ld kB after %d more; grew %ld kB\n", afterWarmUp,
                warmUp, after, cycles, after - afterWarmUp);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    return run(argc, argv);
}
