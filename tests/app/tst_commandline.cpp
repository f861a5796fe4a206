// SPDX-License-Identifier: MIT
// Runs the built program with command lines, with no display to connect to:
// help and version answer on standard output, bad arguments are refused on
// standard error, and Qt's own options still reach the application.
#include "common/Release.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

constexpr int AnswerTimeoutMs = 10000;
constexpr int StartTimeoutMs = 15000;
constexpr int Starts = -1; // exit code column: the program must start and keep running

const QString UsageHint = QStringLiteral("Try 'amorial --help' for more information.\n");

// The process that holds the single-instance lock: the one whose process id
// the POSIX lock file holds; on Windows, whoever holds the named mutex (0 when
// nobody does).
qint64 lockHolder(const QTemporaryDir &home, const QProcess &process)
{
#ifdef Q_OS_WIN
    Q_UNUSED(home);
    HANDLE mutex = ::OpenMutexW(SYNCHRONIZE, FALSE, AMORIAL_INSTANCE_MUTEX);
    if (!mutex)
        return 0;
    ::CloseHandle(mutex);
    return process.processId();
#else
    Q_UNUSED(process);
    QFile lock(home.filePath(QStringLiteral("runtime/amorial.lock")));
    return lock.open(QIODevice::ReadOnly) ? lock.readLine().trimmed().toLongLong() : 0;
#endif
}

// Windows text output ends its lines in CR LF.
QString text(const QByteArray &output)
{
    return QString::fromLocal8Bit(output).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void answersWithoutDisplay_data();
    void answersWithoutDisplay();
};

void CommandLineTest::answersWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out"); // the whole of standard output, or its first line when it ends in "..."
    QTest::addColumn<QString>("err"); // the whole of standard error, or a line of it when it starts with "..."

    const QString usage = QStringLiteral("Usage: amorial [OPTION]......");
    const QString version = QStringLiteral("amorial " AMORIAL_VERSION "...");
    QTest::newRow("--help") << QStringList{"--help"} << 0 << usage << QString();
    QTest::newRow("-h") << QStringList{"-h"} << 0 << usage << QString();
    QTest::newRow("--version") << QStringList{"--version"} << 0 << version << QString();
    QTest::newRow("-v") << QStringList{"-v"} << 0 << version << QString();
    QTest::newRow("Qt option before --version") << QStringList{"-platform", "xcb", "--version"} << 0 << version
                                                << QString();
    QTest::newRow("Windows platform options before --version")
        << QStringList{"-platform", "windows:fontengine=freetype,dpiawareness=0", "-dialogs=none", "--version"}
        << 0 << version << QString();
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << QString()
                                    << "amorial: unrecognized option '--frobnicate'\n" + UsageHint;
    QTest::newRow("unknown option=value") << QStringList{"--colour=red"} << 2 << QString()
                                          << "amorial: unrecognized option '--colour'\n" + UsageHint;
    QTest::newRow("unknown option value") << QStringList{"--colour", "red"} << 2 << QString()
                                          << "amorial: unrecognized option '--colour'\n" + UsageHint;
    QTest::newRow("unknown option beside --help") << QStringList{"--help", "-x"} << 2 << QString()
                                                  << "amorial: unrecognized option '-x'\n" + UsageHint;
    QTest::newRow("file name") << QStringList{"birthdays.txt"} << 2 << QString()
                               << "amorial: unexpected argument 'birthdays.txt'\n" + UsageHint;
#ifndef Q_OS_WIN // X11's failures; on Windows the program always finds its platform
    // Qt's reason for giving up, and a plain failure rather than an abort.
    QTest::newRow("no display") << QStringList{} << 1 << QString()
                                << QStringLiteral("...qt.qpa.xcb: could not connect to display ");
    QTest::newRow("-display elsewhere") << QStringList{"-display", ":4321"} << 1 << QString()
                                        << QStringLiteral("...qt.qpa.xcb: could not connect to display :4321");
    QTest::newRow("-platform unknown") << QStringList{"-platform", "nosuch"} << 1 << QString()
                                       << QStringLiteral("...This application failed to start because no Qt "
                                                         "platform plugin could be initialized. Reinstalling "
                                                         "the application may fix this problem.");
#endif
    QTest::newRow("-platform offscreen") << QStringList{"-platform", "offscreen"} << Starts << QString()
                                         << QString();
    QTest::newRow("--platform offscreen -style fusion")
        << QStringList{"--platform", "offscreen", "-style", "fusion"} << Starts << QString() << QString();
}

void CommandLineTest::answersWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QTemporaryDir home;
    QVERIFY(home.isValid());
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("runtime")));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Nothing to connect to: a program that reaches for a display aborts.
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(AMORIAL_EXECUTABLE), arguments);
    QVERIFY(process.waitForStarted());

    if (exitCode == Starts) {
        // The start-up took the single-instance lock: the application came up with the options.
        QTRY_COMPARE_WITH_TIMEOUT(lockHolder(home, process), process.processId(), StartTimeoutMs);
        QCOMPARE(process.state(), QProcess::Running);
        process.kill();
        process.waitForFinished();
        return;
    }

    QVERIFY(process.waitForFinished(AnswerTimeoutMs));
    const QString standardOut = text(process.readAllStandardOutput());
    const QString standardErr = text(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    if (err.startsWith(QLatin1String("...")))
        QVERIFY2(standardErr.split(QLatin1Char('\n')).contains(err.mid(3)), qPrintable(standardErr));
    else
        QCOMPARE(standardErr, err);
    if (out.endsWith(QLatin1String("..."))) {
        out.chop(3);
        QCOMPARE(standardOut.section(QLatin1Char('\n'), 0, 0), out);
    } else {
        QCOMPARE(standardOut, out);
    }
    QCOMPARE(lockHolder(home, process), 0); // never started
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
