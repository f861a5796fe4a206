// SPDX-License-Identifier: MIT
// Starts the built program as separate Windows processes: a running copy holds
// the named mutex, and a killed one leaves nothing that refuses the next start.
// (A second start refused beside a running first is e2e_wine's to show.)
#include "common/Site.h"

#include <QProcess>
#include <QtTest>

#include <memory>
#include <vector>

#include <windows.h>

namespace {

constexpr int StartTimeoutMs = 30000;
const QString MainTitle = WindowTitle;
const QString BoxTitle = QStringLiteral("Amorial");

struct Search
{
    DWORD process;
    std::wstring title;
    bool found = false;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter)
{
    auto *search = reinterpret_cast<Search *>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    wchar_t title[128] = {};
    ::GetWindowTextW(window, title, 128);
    if (owner == search->process && ::IsWindowVisible(window) && search->title == title) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

// Whether the process shows a top-level window with exactly this title.
bool showsWindow(const QProcess *process, const QString &title)
{
    Search search{DWORD(process->processId()), title.toStdWString()};
    ::EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool mutexExists()
{
    HANDLE mutex = ::OpenMutexW(SYNCHRONIZE, FALSE, AMORIAL_INSTANCE_MUTEX);
    if (!mutex)
        return false;
    ::CloseHandle(mutex);
    return true;
}

} // namespace

class InstanceMutexTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void killedInstanceDoesNotBlockNextStart();

private:
    QProcess *start();
    std::vector<std::unique_ptr<QProcess>> processes_;
};

void InstanceMutexTest::cleanup()
{
    for (auto &process : processes_) {
        process->kill();
        process->waitForFinished();
    }
    processes_.clear();
    QTRY_VERIFY_WITH_TIMEOUT(!mutexExists(), StartTimeoutMs);
}

QProcess *InstanceMutexTest::start()
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(AMORIAL_EXECUTABLE), {});
    process->waitForStarted();
    processes_.push_back(std::move(process));
    return processes_.back().get();
}

void InstanceMutexTest::killedInstanceDoesNotBlockNextStart()
{
    QVERIFY(!mutexExists());
    QProcess *first = start();
    QTRY_VERIFY_WITH_TIMEOUT(showsWindow(first, MainTitle), StartTimeoutMs);
    QVERIFY(mutexExists());
    first->kill();
    QVERIFY(first->waitForFinished());

    QProcess *next = start();
    QTRY_VERIFY_WITH_TIMEOUT(showsWindow(next, MainTitle), StartTimeoutMs);
    QVERIFY(!showsWindow(next, BoxTitle));
}

QTEST_GUILESS_MAIN(InstanceMutexTest)
#include "tst_instancemutex.moc"
