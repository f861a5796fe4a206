// SPDX-License-Identifier: MIT
// Starts the built program as separate processes and watches who holds the
// single-instance lock.
#include "platform/ProcessSetup.h"

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

    void killedInstanceDoesNotBlockNextStart();
    void simultaneousStartsLeaveOneRunning();
    void startsUnderHostileLimits_data();
    void startsUnderHostileLimits();

private:
    // limit: a shell's ulimit for the program alone; environment: set over the usual one.
    QProcess *start(const QString &limit = QString(), const QHash<QString, QString> &environment = {});
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

QProcess *SingleInstanceTest::start(const QString &limit, const QHash<QString, QString> &overrides)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), home_->path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home_->filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_->filePath(QStringLiteral("runtime")));
    for (auto it = overrides.begin(); it != overrides.end(); ++it)
        environment.insert(it.key(), it.value());
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(home_->path());
    process->setProcessChannelMode(limit.isEmpty() ? QProcess::ForwardedErrorChannel : QProcess::SeparateChannels);
    if (limit.isEmpty())
        process->start(QStringLiteral(AMORIAL_EXECUTABLE), {});
    else // The shell becomes the program, so its process id is the program's.
        process->start(QStringLiteral("sh"), {QStringLiteral("-c"), limit + QStringLiteral("; exec \"$0\""),
                                              QStringLiteral(AMORIAL_EXECUTABLE)});
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

void SingleInstanceTest::startsUnderHostileLimits_data()
{
    QTest::addColumn<QString>("limit");
    QTest::addColumn<bool>("relativeFolders"); // XDG_CONFIG_HOME and XDG_RUNTIME_DIR relative
    QTest::addColumn<bool>("runs");            // else refuses at once with a word

    // Writes past the limit fail instead of killing the program with SIGXFSZ.
    QTest::newRow("file-size limit of nothing") << "ulimit -f 0" << false << true;
    QTest::newRow("open files below the need") << "ulimit -n 8" << false << false;
    QTest::newRow("open files just enough") << QStringLiteral("ulimit -n %1").arg(platform::NeededOpenFiles) << false
                                            << true;
    // Ignored, so nothing lands in the folder the program starts in.
    QTest::newRow("relative base folders") << QString() << true << true;
}

void SingleInstanceTest::startsUnderHostileLimits()
{
    QFETCH(QString, limit);
    QFETCH(bool, relativeFolders);
    QFETCH(bool, runs);

    QHash<QString, QString> environment;
    if (relativeFolders) {
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral("config"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QStringLiteral("runtime"));
    }
    const QString settings = relativeFolders ? home_->filePath(QStringLiteral(".config/amorial.conf"))
                                             : home_->filePath(QStringLiteral("config/amorial.conf"));
    QProcess *program = start(limit, environment);
    if (!runs) {
        QVERIFY(program->waitForFinished(StartTimeoutMs));
        QCOMPARE(program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->exitCode(), 1);
        QVERIFY2(program->readAllStandardError().contains("open files"), "no word on what is wrong");
        QVERIFY(!QFileInfo::exists(settings));
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(waitsForEvents(program->processId()) || program->state() != QProcess::Running,
                             StartTimeoutMs);
    QCOMPARE(program->state(), QProcess::Running);
    if (limit != QLatin1String("ulimit -f 0")) // a first start, which remembers today once the window is up
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(settings).size() > 0, StartTimeoutMs);
    const QStringList left = QDir(home_->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QVERIFY2(!left.contains(QStringLiteral("config")) || !relativeFolders, "followed a relative XDG_CONFIG_HOME");
    // The working folder holds a "runtime" folder too: a relative XDG_RUNTIME_DIR would put the lock there.
    QCOMPARE(QFileInfo::exists(lockPath()), !relativeFolders);
    const QStringList settingsFolder = QDir(QFileInfo(settings).path()).entryList(QDir::Files | QDir::Hidden);
    QVERIFY2(settingsFolder.size() <= 1, qPrintable(settingsFolder.join(QLatin1Char(' ')))); // nothing left beside it
}

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"
