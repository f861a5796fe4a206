// SPDX-License-Identifier: MIT
// Time from pressing "Find My Zodiac Love Sign" to the result window's first
// paint, over a number of finds with Back in between.
// Usage: bench_find [runs]   (on any platform plugin, e.g. QT_QPA_PLATFORM=offscreen)
#include "app/modMain.h"
#include "entry/frmMain.h"
#include "result/frmDisplay.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Notes the time of the first paint a window receives.
class FirstPaint : public QObject
{
public:
    qint64 at = -1;
    const QElapsedTimer *clock = nullptr;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && at < 0)
            at = clock->nsecsElapsed();
        return false;
    }
};

double findOnce(frmMain &entry)
{
    QElapsedTimer clock;
    FirstPaint paint;
    paint.clock = &clock;
    clock.start();
    entry.findChild<QPushButton *>("cmdNext")->click();
    frmDisplay *display = frmDisplay::loaded();
    display->installEventFilter(&paint);
    while (paint.at < 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double milliseconds = paint.at / 1e6;
    display->removeEventFilter(&paint);
    display->findChild<QPushButton *>("cmdBack")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return milliseconds;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
    auto *entry = modMain::LoadEntryWindow();
    entry->findChild<QLineEdit *>("txtName")->setText(QStringLiteral("ANN LEE"));
    entry->show();
    QCoreApplication::processEvents();

    auto *years = entry->findChild<QComboBox *>("cboYear");
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        years->setCurrentIndex(run % years->count());
        times.push_back(findOnce(*entry));
    }
    const double first = times.front();
    std::sort(times.begin(), times.end());
    std::printf("find to first paint over %d finds: first %.2f ms, median %.2f ms, slowest %.2f ms\n", runs, first,
                times[times.size() / 2], times.back());
    return 0;
}
