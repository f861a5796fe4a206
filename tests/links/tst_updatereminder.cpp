// SPDX-License-Identifier: MIT
#include "common/Fakes.h"
#include "common/Site.h"
#include "links/modHelp.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#ifndef _WIN32
#include <csignal>

#include <sys/stat.h>
#include <unistd.h>
#endif

// Built twice: as AMORIAL_UPDATE_REMINDER builds the program, and the other way,
// with a copy of the reminder compiled for that build.
#ifndef AMORIAL_UPDATE_REMINDER
#error "AMORIAL_UPDATE_REMINDER must say which build of the reminder is under test"
#endif

namespace {

// Without the reminder nothing is asked and the store is left as it was.
constexpr bool ReminderBuilt = AMORIAL_UPDATE_REMINDER;

const QString StoredKey = QStringLiteral("Settings/Duration");
const QDate Today(2026, 12, 8);
const QString TodayText = QStringLiteral("2026-12-08");
const QString Question = QStringLiteral("There maybe an update to this software available\r"
                                        "Do you want to check for an update?");

QString daysFromToday(int days)
{
    return Today.addDays(days).toString(Qt::ISODate);
}

// Today is Today, and the boxes answer so.
struct ReminderSeams : FakeSeams
{
    explicit ReminderSeams(platform::Answer answer = platform::Answer::No) { clock.date = Today; boxes.answer = answer; }
    FakeClock clock;
    platform::ScopedSeam<platform::Clock> clockGuard{clock};
};

#ifndef _WIN32
// The real store follows $XDG_CONFIG_HOME, as the program would.
void useConfigFolder(const QString &folder)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder));
    QCoreApplication::setApplicationName(QStringLiteral("amorial"));
}

bool writeFile(const QString &name, const QByteArray &content)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray fileBytes(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray settingsWith(const char *date) { return QByteArray("[Settings]\nDuration=") + date + "\n"; }

// Whether the process is stopped, as /proc/PID/stat's state field says.
bool isStopped(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const qsizetype end = line.lastIndexOf(')'); // the command may hold spaces and parentheses
    return end > 0 && line.mid(end + 2, 1) == "T";
}

// Stops a saving process at moments picked by chance until one falls inside a
// save, the new file written to and not yet renamed, and kills it there.
// However quick a save is (tmpfs, an idle machine), some stop lands in it.
bool killInsideSave(pid_t pid, const QString &newFile, QRandomGenerator &delays)
{
    for (int attempt = 0; attempt < 20000; ++attempt) {
        ::kill(pid, SIGSTOP);
        bool stopped = isStopped(pid);
        for (QDeadlineTimer stopping(5000); !stopped && !stopping.hasExpired(); stopped = isStopped(pid))
            QThread::yieldCurrentThread();
        if (!stopped)
            break; // never stopped: nothing it shows can be judged
        if (QFileInfo(newFile).size() > 0) {
            ::kill(pid, SIGKILL);
            return true;
        }
        ::kill(pid, SIGCONT);
        QThread::usleep(delays.bounded(0, 200));
    }
    ::kill(pid, SIGKILL);
    return false;
}

// A mount namespace of the test's own: root may mount there as it is, anyone
// else first becomes root in a user namespace, where the kernel allows one.
QStringList mountNamespace()
{
    if (::geteuid() == 0)
        return {QStringLiteral("unshare"), QStringLiteral("--mount")};
    return {QStringLiteral("unshare"), QStringLiteral("--map-root-user"), QStringLiteral("--mount")};
}
#endif

} // namespace

class UpdateReminderTest : public QObject
{
    Q_OBJECT

private slots:
    // Nothing the real store holds unsaved may land in the next test's folder.
    void cleanup()
    {
        platform::settingsStore().save();
        qunsetenv("XDG_CONFIG_HOME");
    }
    void asksOnlyWhenFifteenDaysAway_data();
    void asksOnlyWhenFifteenDaysAway();
    void realStoreReadsBackWhatItWrote_data();
    void realStoreReadsBackWhatItWrote();
    void realStoreSurvivesBadFiles_data();
    void realStoreSurvivesBadFiles();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void killedSaveLeavesOldOrNewFile();
};

void UpdateReminderTest::asksOnlyWhenFifteenDaysAway_data()
{
    QTest::addColumn<QString>("stored"); // empty: nothing stored
    QTest::addColumn<QString>("store");  // what fails in it, if anything
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QString>("storedAfter");
    QTest::addColumn<bool>("opensDownloadPage");

    const int yes = int(platform::Answer::Yes);
    const int no = int(platform::Answer::No);
    const QString sound;
    QTest::newRow("first start remembers today") << QString() << sound << yes << false << TodayText << false;
    QTest::newRow("today") << TodayText << sound << yes << false << TodayText << false;
    QTest::newRow("14 days ago") << daysFromToday(-14) << sound << yes << false << daysFromToday(-14) << false;
    QTest::newRow("14 days ahead") << daysFromToday(14) << sound << yes << false << daysFromToday(14) << false;
    QTest::newRow("15 days ago, yes") << daysFromToday(-15) << sound << yes << true << TodayText << true;
    QTest::newRow("15 days ago, no") << daysFromToday(-15) << sound << no << true << TodayText << false;
    QTest::newRow("15 days ahead (clock set back)") << daysFromToday(15) << sound << no << true << TodayText << false;
    QTest::newRow("years ago") << QStringLiteral("1999-01-01") << sound << yes << true << TodayText << true;
    QTest::newRow("unreadable date is kept") << QStringLiteral("12/31/99") << sound << yes << false << "12/31/99" << false;
    QTest::newRow("impossible date is kept") << QStringLiteral("2026-02-30") << sound << yes << false << "2026-02-30" << false;
    // A store that fails stops the reminder where it fails, without a word.
    QTest::newRow("unreadable store") << daysFromToday(-30) << "unreadable" << yes << false << daysFromToday(-30) << false;
    QTest::newRow("unwritable store") << daysFromToday(-30) << "unwritable" << yes << true << daysFromToday(-30) << false;
    QTest::newRow("store that cannot save") << daysFromToday(-30) << "unsavable" << yes << true << TodayText << false;
}

void UpdateReminderTest::asksOnlyWhenFifteenDaysAway()
{
    QFETCH(QString, stored);
    QFETCH(QString, store);
    QFETCH(int, answer);
    QFETCH(bool, asks);
    QFETCH(QString, storedAfter);
    QFETCH(bool, opensDownloadPage);
    if (!ReminderBuilt) {
        asks = false;
        storedAfter = stored;
        opensDownloadPage = false;
    }

    FakeSettingsStore settings;
    if (!stored.isEmpty())
        settings.values.insert(StoredKey, stored);
    settings.readable = store != QLatin1String("unreadable");
    settings.writable = store != QLatin1String("unwritable");
    settings.savable = store != QLatin1String("unsavable");
    platform::ScopedSeam<platform::SettingsStore> settingsGuard(settings);
    ReminderSeams seams(platform::Answer{answer});
    QString storedWhenPageOpened;
    seams.urls.onOpened = [&](const QString &) { storedWhenPageOpened = settings.values.value(StoredKey); };

    modHelp::CheckUpdateReminder();

    QCOMPARE(seams.boxes.questions, asks ? QStringList{Question} : QStringList{});
    QCOMPARE(settings.values.value(StoredKey), storedAfter);
    QCOMPARE(seams.urls.opened, opensDownloadPage ? QStringList{pageAddress(QStringLiteral("download-web-page"))}
                                            : QStringList{});
    if (opensDownloadPage)
        QCOMPARE(storedWhenPageOpened, TodayText); // remembered before the page goes out
    if (!ReminderBuilt)
        QCOMPARE(settings.writes, 0);
}

void UpdateReminderTest::realStoreReadsBackWhatItWrote_data()
{
    QTest::addColumn<bool>("byEventLoop"); // else by save(), as the program does before it ends
    QTest::newRow("event loop saves it") << true;
    QTest::newRow("save() saves it") << false;
}

void UpdateReminderTest::realStoreReadsBackWhatItWrote()
{
#ifdef Q_OS_WIN
    QSKIP("the settings file is the POSIX store's; the registry store has a test of its own");
#else
    QFETCH(bool, byEventLoop);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    useConfigFolder(home.path());
    const ReminderSeams seams;

    modHelp::CheckUpdateReminder();
    const QString file = home.filePath(QStringLiteral("amorial.conf"));
    QVERIFY(!QFile::exists(file)); // not while the window is still to be shown
    if (!ReminderBuilt) {
        QCoreApplication::sendPostedEvents();
        QVERIFY(platform::settingsStore().save());
        QVERIFY(!QFile::exists(file)); // not at all
        return;
    }
    QCOMPARE(platform::settingsStore().read(QStringLiteral("Settings"), QStringLiteral("Duration")),
             std::optional<QString>(TodayText));
    if (byEventLoop)
        QCoreApplication::sendPostedEvents();
    else
        QVERIFY(platform::settingsStore().save());

    QCOMPARE(fileBytes(file), "[Settings]\nDuration=" + TodayText.toLatin1() + "\n");
    QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("amorial.conf")});
#endif
}

void UpdateReminderTest::realStoreSurvivesBadFiles_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QByteArray>("after"); // the settings file's bytes afterwards; null: not a file
    QTest::addColumn<bool>("answerYes");

    const QByteArray longAgo = "[Settings]\nDuration=" + daysFromToday(-30).toLatin1() + "\n";
    const QByteArray today = "[Settings]\nDuration=" + TodayText.toLatin1() + "\n";
    const QByteArray other = "[Other]\nkey=1\n";
    const QByteArray none;
    QTest::newRow("settings file is a folder") << "folder" << none << false << none << false;
    // Not a file this program wrote: read as unreadable and left alone.
    QTest::newRow("binary garbage") << "file" << QByteArray("\x00\xff\xfe[[[\x01\n=\n\xc3", 12) << false
                                    << QByteArray("\x00\xff\xfe[[[\x01\n=\n\xc3", 12) << false;
    QTest::newRow("broken section header") << "file" << QByteArray("[Settings\nDuration=2001-01-01\n") << false
                                           << QByteArray("[Settings\nDuration=2001-01-01\n") << false;
    QTest::newRow("a copy of /etc/passwd") << "file" << QByteArray("root:x:0:0:root:/root:/bin/bash\n") << false
                                           << QByteArray("root:x:0:0:root:/root:/bin/bash\n") << false;
    const QByteArray oversized = longAgo + QByteArray(64 * 1024, '#');
    QTest::newRow("over 64 KiB") << "file" << oversized << false << oversized << false;
    QTest::newRow("unparsable value") << "file" << QByteArray("[Settings]\nDuration=banana\n") << false
                                      << QByteArray("[Settings]\nDuration=banana\n") << false;
    QTest::newRow("config folder is a file") << "blocked" << none << false << none << false;
    QTest::newRow("sound file asks") << "file" << longAgo << true << today << false;
    QTest::newRow("other keys and comments stay")
        << "file" << "; kept\n[General]\nzoom=2\n\n[Settings]\nColour = red\nDuration=" + daysFromToday(-30).toLatin1()
                         + "\r\nSize=3\n[Later]\nDuration=x"
        << true << "; kept\n[General]\nzoom=2\n\n[Settings]\nColour = red\nDuration=" + TodayText.toLatin1()
                       + "\nSize=3\n[Later]\nDuration=x\n"
        << true;
    QTest::newRow("first start beside other sections") << "file" << other << false << other + "\n" + today << false;
    // QSettings would read a list here, which is no text at all.
    QTest::newRow("value with a comma is kept") << "file" << QByteArray("[Settings]\nDuration=garbage, more\n")
                                                << false << QByteArray("[Settings]\nDuration=garbage, more\n")
                                                << false;
    // QSettings' lock file, left behind by a crash, is none of the save's business.
    QTest::newRow("stale settings lock, empty") << "stale lock" << QByteArray() << false << today << false;
    QTest::newRow("stale settings lock, junk") << "stale lock" << QByteArray("junk\n\x01") << false << today << false;
    // Something at the name that is no regular file is never opened for reading nor replaced.
    QTest::newRow("FIFO") << "fifo" << none << false << none << false;
    QTest::newRow("link to a device") << "device link" << none << false << none << false;
    QTest::newRow("link to someone else's file") << "foreign link" << other << false << none << false;
    QTest::newRow("dangling link") << "dangling link" << none << false << none << false;
    // A dotfile manager's link to the user's own file: the file is replaced, the link stays.
    QTest::newRow("link to the user's own file") << "own link" << longAgo << true << today << true;
    QTest::newRow("left over from a killed save") << "leftover" << longAgo << true << today << false;
}

void UpdateReminderTest::realStoreSurvivesBadFiles()
{
#ifdef Q_OS_WIN
    QSKIP("the settings file is the POSIX store's; the registry store has a test of its own");
#else
    QFETCH(QString, setup);
    QFETCH(QByteArray, content);
    QFETCH(bool, asks);
    QFETCH(QByteArray, after);
    QFETCH(bool, answerYes);
    if (!ReminderBuilt) {
        asks = false;
        answerYes = false;
        if (setup == QLatin1String("file") || setup == QLatin1String("own link") || setup == QLatin1String("leftover"))
            after = content;
        else if (!after.isNull())
            after = QByteArray();
    }

    QTemporaryDir home;
    QVERIFY(home.isValid());
    QString configHome = home.path();
    const QString file = home.filePath(QStringLiteral("amorial.conf"));
    const QString elsewhere = home.filePath(QStringLiteral("dotfiles/amorial.conf"));
    QString settingsFile = file; // where the content is to be found
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("dotfiles")));
    if (setup == QLatin1String("folder")) {
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("amorial.conf")));
    } else if (setup == QLatin1String("blocked")) {
        configHome = home.filePath(QStringLiteral("not-a-folder"));
        QVERIFY(writeFile(configHome, QByteArray()));
    } else if (setup == QLatin1String("stale lock")) {
        QVERIFY(writeFile(file + QStringLiteral(".lock"), content));
    } else if (setup == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    } else if (setup == QLatin1String("device link")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), file));
    } else if (setup == QLatin1String("dangling link")) {
        QVERIFY(QFile::link(elsewhere, file));
    } else if (setup == QLatin1String("foreign link")) {
        QVERIFY(writeFile(elsewhere, content));
        if (::geteuid() == 0)
            QCOMPARE(::chown(QFile::encodeName(elsewhere).constData(), 65534, 65534), 0);
        else
            QSKIP("only root can make a file someone else's");
        QVERIFY(QFile::link(elsewhere, file));
        settingsFile = elsewhere;
    } else if (setup == QLatin1String("own link")) {
        QVERIFY(writeFile(elsewhere, content));
        QVERIFY(QFile::link(elsewhere, file));
        settingsFile = elsewhere;
    } else if (setup == QLatin1String("leftover")) {
        QVERIFY(writeFile(file, content));
        QVERIFY(writeFile(file + QStringLiteral(".new"), "[Settings]\nDuration=20"));
    } else {
        QVERIFY(writeFile(file, content));
    }
    const QFileInfo before(file);
    useConfigFolder(configHome);
    const ReminderSeams seams(answerYes ? platform::Answer::Yes : platform::Answer::No);

    modHelp::CheckUpdateReminder();

    QCOMPARE(seams.boxes.questions.size(), asks ? 1 : 0);
    QCOMPARE(seams.urls.opened.size(), answerYes ? 1 : 0);
    platform::settingsStore().save();
    const QFileInfo now(file);
    QCOMPARE(now.isSymLink(), before.isSymLink());
    QCOMPARE(now.isSymLink() ? now.symLinkTarget() : QString(), before.isSymLink() ? before.symLinkTarget() : QString());
    QCOMPARE(now.isDir(), before.isDir());
    if (setup == QLatin1String("fifo"))
        QVERIFY(QFileInfo(file).exists() && !QFileInfo(file).isFile());
    if (!after.isNull())
        QCOMPARE(fileBytes(settingsFile), after);
    else if (QFileInfo(settingsFile).isFile())
        QCOMPARE(fileBytes(settingsFile), content); // left alone
    if (ReminderBuilt || setup != QLatin1String("leftover"))
        QVERIFY(!QFileInfo::exists(settingsFile + QStringLiteral(".new"))); // a save clears it away
#endif
}

void UpdateReminderTest::failedSaveKeepsTheOldFile_data()
{
    QTest::addColumn<QStringList>("wrapper");
    QTest::addColumn<QString>("prepare"); // $1 the settings folder, $2 the old file
    QTest::addColumn<QString>("limit");   // set for the saver alone
    QTest::addColumn<QStringList>("entries");

    const QString copy = QStringLiteral(R"(cp "$2" "$1/amorial.conf")");
    const QStringList settingsOnly{QStringLiteral("amorial.conf")};
#ifndef _WIN32
    // A tmpfs of its own, in a mount namespace of its own, filled to the last block.
    QTest::newRow("disk full") << mountNamespace()
                               << QStringLiteral(R"(mount -t tmpfs -o size=64k tmpfs "$1" && )") + copy
                                      + QStringLiteral(R"( && { dd if=/dev/zero of="$1/filler" bs=4k 2>/dev/null; true; })")
                               << QString()
                               << QStringList{QStringLiteral("amorial.conf"), QStringLiteral("filler")};
#endif
    QTest::newRow("file-size limit of nothing") << QStringList() << copy << QStringLiteral("ulimit -f 0")
                                                << settingsOnly;
    // 512 bytes: the first write is cut short, the next one fails.
    QTest::newRow("file-size limit within the file") << QStringList() << copy << QStringLiteral("ulimit -f 1")
                                                     << settingsOnly;
}

void UpdateReminderTest::failedSaveKeepsTheOldFile()
{
#ifdef Q_OS_WIN
    QSKIP("the settings file is the POSIX store's; the registry store has a test of its own");
#else
    QFETCH(QStringList, wrapper);
    QFETCH(QString, prepare);
    QFETCH(QString, limit);
    QFETCH(QStringList, entries);

    if (!wrapper.isEmpty()) {
        QProcess probe;
        probe.start(wrapper.first(), wrapper.mid(1) << QStringLiteral("true"));
        if (!probe.waitForFinished(10000) || probe.exitCode() != 0) {
            const QByteArray why = "this system gives no mount namespace of the test's own ("
                                   + probe.readAllStandardError().trimmed() + ")";
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL(why.constData());
            QSKIP(why.constData());
        }
    }
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString folder = scratch.filePath(QStringLiteral("config"));
    QVERIFY(QDir().mkdir(folder));
    const QByteArray old = "; " + QByteArray(700, 'x') + "\n[Other]\nkey=1\n\n" + settingsWith("2001-01-01");
    QVERIFY(writeFile(scratch.filePath(QStringLiteral("old")), old));
    // The mount goes with the namespace, so what is left there is copied out before.
    const QString script = prepare + QStringLiteral(R"( || exit 9
( %1; XDG_CONFIG_HOME="$1" exec "$3" save 2026-12-08 ); echo $? >"$4/status"
cp "$1/amorial.conf" "$4/after"; ls -A "$1" >"$4/entries")").arg(limit.isEmpty() ? QStringLiteral(":") : limit);
    QStringList command = wrapper;
    command << QStringLiteral("sh") << QStringLiteral("-c") << script << QStringLiteral("sh") << folder
            << scratch.filePath(QStringLiteral("old")) << QStringLiteral(SETTINGS_SAVER) << scratch.path();
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    run.start(command.takeFirst(), command);
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitCode(), 0);

    QCOMPARE(fileBytes(scratch.filePath(QStringLiteral("status"))), QByteArray("3\n")); // refused, not killed
    QCOMPARE(fileBytes(scratch.filePath(QStringLiteral("after"))), old);
    QCOMPARE(QString::fromUtf8(fileBytes(scratch.filePath(QStringLiteral("entries")))).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             entries);
#endif
}

void UpdateReminderTest::killedSaveLeavesOldOrNewFile()
{
#ifdef Q_OS_WIN
    QSKIP("the settings file is the POSIX store's; the registry store has a test of its own");
#else
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString file = home.filePath(QStringLiteral("amorial.conf"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    const QByteArray first = settingsWith("2001-01-01");
    const QByteArray second = settingsWith("2002-02-02");
    const QStringList allowed{QStringLiteral("amorial.conf"), QStringLiteral("amorial.conf.new")};
    const QString newFile = file + QStringLiteral(".new");
    QRandomGenerator delays(17);
    bool saved = false;
    // Every other round kills the saver at a moment picked by chance, with
    // what the round before left behind; the others inside a save, where the
    // new file is cut off before its rename.
    for (int round = 0; round < 40; ++round) {
        if (round % 2 == 1)
            QFile::remove(newFile); // so that a new file seen is this round's
        QProcess saver;
        saver.setProcessEnvironment(environment);
        saver.start(QStringLiteral(SETTINGS_SAVER), {QStringLiteral("loop"), QStringLiteral("2001-01-01"),
                                                     QStringLiteral("2002-02-02")});
        // Killed a moment after it begins to save, however long its start took.
        QVERIFY(saver.waitForReadyRead(10000));
        const pid_t pid = pid_t(saver.processId());
        if (round % 2 == 0) {
            QThread::usleep(delays.bounded(0, 3000));
            ::kill(pid, SIGKILL);
        } else {
            QVERIFY2(killInsideSave(pid, newFile, delays), "no stop landed inside a save");
        }
        QVERIFY(saver.waitForFinished());

        // Absent only until the first save has gone through.
        const bool exists = QFileInfo::exists(file);
        const QByteArray now = fileBytes(file);
        QVERIFY2(now == first || now == second || (!exists && !saved), now.constData());
        saved = saved || exists;
        const QStringList entries = folderEntries(home.path());
        for (const QString &entry : entries)
            QVERIFY2(allowed.contains(entry), qPrintable(entry)); // at most the new file, cut off before its rename
    }
    QProcess saver;
    saver.setProcessEnvironment(environment);
    saver.start(QStringLiteral(SETTINGS_SAVER), {QStringLiteral("save"), QStringLiteral("2003-03-03")});
    QVERIFY(saver.waitForFinished());
    QCOMPARE(fileBytes(file), settingsWith("2003-03-03"));
    QCOMPARE(folderEntries(home.path()), QStringList{QStringLiteral("amorial.conf")});
#endif
}

QTEST_GUILESS_MAIN(UpdateReminderTest)
#include "tst_updatereminder.moc"
