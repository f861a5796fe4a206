// SPDX-License-Identifier: MIT
// Starts the built program as separate processes and watches who holds the
// single-instance lock.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/syscall.h>

#include <csignal>
#include <memory>
#include <vector>

namespace {

constexpr int StartTimeoutMs = 15000;

// Whether the process's main thread is blocked waiting for events, as it is
// once an instance shows its window or its refusal box: the system call it
// sleeps in is poll or ppoll. The file reads "running" while it computes.
bool waitsForEvents(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/syscall").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bool isNumber = false;
    const long call = file.readAll().split(' ').value(0).trimmed().toLong(&isNumber);
    if (!isNumber)
        return false;
#ifdef SYS_poll
    if (call == SYS_poll)
        return true;
#endif
    return call == SYS_ppoll;
}

} // namespace

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void secondStartLeavesFirstHolding();
    void killedInstanceDoesNotBlockNextStart();
    void simultaneousStartsLeaveOneRunning();

private:
    QProcess *start();
    qint64 lockHolder() const;
    QString lockPath() const { return home_->filePath(QStringLiteral("runtime/amorial.lock")); }

    std::unique_ptr<QTemporaryDir> home_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

void SingleInstanceTest::init()
{
    home_ = std::make_unique<QTemporaryDir>();
    QVERIFY(home_->isValid());
    QVERIFY(QDir(home_->path()).mkdir(QStringLiteral("runtime")));
    QFile::setPermissions(home_->filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void SingleInstanceTest::cleanup()
{
    for (auto &process : processes_) {
        process->kill();
        process->waitForFinished();
    }
    processes_.clear();
    home_.reset();
}

QProcess *SingleInstanceTest::start()
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), home_->path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home_->filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_->filePath(QStringLiteral("runtime")));
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(AMORIAL_EXECUTABLE), {});
    process->waitForStarted();
    processes_.push_back(std::move(process));
    return processes_.back().get();
}

// The process id the holder writes into the lock file, 0 while there is none.
qint64 SingleInstanceTest::lockHolder() const
{
    QFile lock(lockPath());
    if (!lock.open(QIODevice::ReadOnly))
        return 0;
    return lock.readLine().trimmed().toLongLong();
}

void SingleInstanceTest::secondStartLeavesFirstHolding()
{
    QProcess *first = start();
    QTRY_COMPARE_WITH_TIMEOUT(lockHolder(), first->processId(), StartTimeoutMs);

    QProcess *second = start();
    // The refused start waits on its message box; the first keeps the lock and keeps running.
    QTRY_VERIFY_WITH_TIMEOUT(waitsForEvents(second->processId()) || second->state() != QProcess::Running,
                             StartTimeoutMs);
    QCOMPARE(lockHolder(), first->processId());
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(second->state(), QProcess::Running);
}

void SingleInstanceTest::killedInstanceDoesNotBlockNextStart()
{
    QProcess *first = start();
    QTRY_COMPARE_WITH_TIMEOUT(lockHolder(), first->processId(), StartTimeoutMs);
    ::kill(pid_t(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished());
    QVERIFY(QFile::exists(lockPath()));

    QProcess *next = start();
    QTRY_COMPARE_WITH_TIMEOUT(lockHolder(), next->processId(), StartTimeoutMs);
}

void SingleInstanceTest::simultaneousStartsLeaveOneRunning()
{
    constexpr int Starts = 5;
    QList<qint64> pids;
    for (int i = 0; i < Starts; ++i)
        pids.append(start()->processId());

    QTRY_VERIFY_WITH_TIMEOUT(pids.contains(lockHolder()), StartTimeoutMs);
    const qint64 winner = lockHolder();
    // Every start has made its attempt once each one waits, in its window or
    // its refusal box, or has ended.
    const auto allSettled = [this] {
        for (const auto &process : processes_) {
            if (process->state() == QProcess::Running && !waitsForEvents(process->processId()))
                return false;
        }
        return true;
    };
    QTRY_VERIFY_WITH_TIMEOUT(allSettled(), StartTimeoutMs);
    QCOMPARE(lockHolder(), winner);
    for (const auto &process : processes_)
        QCOMPARE(process->state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"
