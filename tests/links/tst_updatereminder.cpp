// SPDX-License-Identifier: MIT
#include "common/Fakes.h"
#include "links/modHelp.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

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

} // namespace

class UpdateReminderTest : public QObject
{
    Q_OBJECT

private slots:
    // Nothing the real store holds unsaved may land in the next test's folder.
    void cleanup() { platform::settingsStore().save(); }
    void asksOnlyWhenFifteenDaysAway_data();
    void asksOnlyWhenFifteenDaysAway();
    void unreadableStoreAsksNothing();
    void unwritableStoreStopsBeforeThePage();
    void realStoreReadsBackWhatItWrote_data();
    void realStoreReadsBackWhatItWrote();
    void realStoreSurvivesBadFiles_data();
    void realStoreSurvivesBadFiles();
};

void UpdateReminderTest::asksOnlyWhenFifteenDaysAway_data()
{
    QTest::addColumn<QString>("stored"); // empty: nothing stored
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QString>("storedAfter");
    QTest::addColumn<bool>("opensDownloadPage");

    const int yes = int(platform::Answer::Yes);
    const int no = int(platform::Answer::No);
    QTest::newRow("first start remembers today") << QString() << yes << false << TodayText << false;
    QTest::newRow("today") << TodayText << yes << false << TodayText << false;
    QTest::newRow("14 days ago") << daysFromToday(-14) << yes << false << daysFromToday(-14) << false;
    QTest::newRow("14 days ahead") << daysFromToday(14) << yes << false << daysFromToday(14) << false;
    QTest::newRow("15 days ago, yes") << daysFromToday(-15) << yes << true << TodayText << true;
    QTest::newRow("15 days ago, no") << daysFromToday(-15) << no << true << TodayText << false;
    QTest::newRow("15 days ahead (clock set back)") << daysFromToday(15) << no << true << TodayText << false;
    QTest::newRow("years ago") << QStringLiteral("1999-01-01") << yes << true << TodayText << true;
    QTest::newRow("unreadable date is kept") << QStringLiteral("12/31/99") << yes << false << "12/31/99" << false;
    QTest::newRow("impossible date is kept") << QStringLiteral("2026-02-30") << yes << false << "2026-02-30" << false;
}

void UpdateReminderTest::asksOnlyWhenFifteenDaysAway()
{
    QFETCH(QString, stored);
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
    FakeClock clock;
    clock.date = Today;
    FakeMessageBoxes boxes;
    boxes.answer = platform::Answer(answer);
    FakeUrlOpener urls;
    QString storedWhenPageOpened;
    urls.onOpened = [&](const QString &) { storedWhenPageOpened = settings.values.value(StoredKey); };
    platform::ScopedSeam<platform::SettingsStore> s1(settings);
    platform::ScopedSeam<platform::Clock> s2(clock);
    platform::ScopedSeam<platform::MessageBoxes> s3(boxes);
    platform::ScopedSeam<platform::UrlOpener> s4(urls);

    modHelp::CheckUpdateReminder();

    QCOMPARE(boxes.questions, asks ? QStringList{Question} : QStringList{});
    QCOMPARE(settings.values.value(StoredKey), storedAfter);
    QCOMPARE(urls.opened, opensDownloadPage ? QStringList{modHelp::PageAddress(QStringLiteral("download-web-page"))}
                                            : QStringList{});
    if (opensDownloadPage)
        QCOMPARE(storedWhenPageOpened, TodayText); // remembered before the page goes out
    if (!ReminderBuilt)
        QCOMPARE(settings.writes, 0);
}

void UpdateReminderTest::unreadableStoreAsksNothing()
{
    FakeSettingsStore settings;
    settings.readable = false;
    FakeMessageBoxes boxes;
    platform::ScopedSeam<platform::SettingsStore> s1(settings);
    platform::ScopedSeam<platform::MessageBoxes> s2(boxes);

    modHelp::CheckUpdateReminder();

    QVERIFY(boxes.questions.isEmpty());
    QCOMPARE(settings.writes, 0);
}

void UpdateReminderTest::unwritableStoreStopsBeforeThePage()
{
    // A store that cannot be written stops the reminder where the write fails, without a word.
    FakeSettingsStore settings;
    settings.values.insert(StoredKey, daysFromToday(-30));
    settings.writable = false;
    FakeClock clock;
    clock.date = Today;
    FakeMessageBoxes boxes;
    boxes.answer = platform::Answer::Yes;
    FakeUrlOpener urls;
    platform::ScopedSeam<platform::SettingsStore> s1(settings);
    platform::ScopedSeam<platform::Clock> s2(clock);
    platform::ScopedSeam<platform::MessageBoxes> s3(boxes);
    platform::ScopedSeam<platform::UrlOpener> s4(urls);

    modHelp::CheckUpdateReminder();

    QCOMPARE(boxes.questions.size(), ReminderBuilt ? 1 : 0);
    QCOMPARE(settings.writes, ReminderBuilt ? 1 : 0);
    QVERIFY(urls.opened.isEmpty());
}

void UpdateReminderTest::realStoreReadsBackWhatItWrote_data()
{
    QTest::addColumn<bool>("byEventLoop"); // else by save(), as the program does before it ends
    QTest::newRow("event loop saves it") << true;
    QTest::newRow("save() saves it") << false;
}

void UpdateReminderTest::realStoreReadsBackWhatItWrote()
{
    QFETCH(bool, byEventLoop);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    QCoreApplication::setApplicationName(QStringLiteral("amorial"));
    FakeClock clock;
    clock.date = Today;
    platform::ScopedSeam<platform::Clock> s1(clock);

    modHelp::CheckUpdateReminder();
    const QString file = home.filePath(QStringLiteral("amorial.conf"));
    QVERIFY(!QFile::exists(file)); // not while the window is still to be shown
    if (!ReminderBuilt) {
        QCoreApplication::sendPostedEvents();
        platform::settingsStore().save();
        QVERIFY(!QFile::exists(file)); // not at all
        return;
    }
    QCOMPARE(platform::settingsStore().read(QStringLiteral("Settings"), QStringLiteral("Duration")),
             std::optional<QString>(TodayText));
    if (byEventLoop)
        QCoreApplication::sendPostedEvents();
    else
        platform::settingsStore().save();

    // The bytes on disk: another QSettings in this process would share the unsaved value.
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), "[Settings]\nDuration=" + TodayText.toLatin1() + "\n");
}

void UpdateReminderTest::realStoreSurvivesBadFiles_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<bool>("keepsFile");

    const QByteArray longAgo = "[Settings]\nDuration=" + daysFromToday(-30).toLatin1() + "\n";
    // Garbage without the key reads as a first start, which stores today's date.
    QTest::newRow("settings file is a folder") << "folder" << QByteArray() << false << false;
    QTest::newRow("binary garbage") << "file" << QByteArray("\x00\xff\xfe[[[\x01\n=\n\xc3", 12) << false << false;
    QTest::newRow("unparsable value") << "file" << QByteArray("[Settings]\nDuration=banana\n") << false << true;
    QTest::newRow("broken section header") << "file" << QByteArray("[Settings\nDuration=2001-01-01\n") << false
                                           << false;
    QTest::newRow("config folder is a file") << "blocked" << QByteArray() << false << false;
    QTest::newRow("sound file asks") << "file" << longAgo << true << false;
    // QSettings would read a list here, which is no text at all.
    QTest::newRow("value with a comma is kept") << "file" << QByteArray("[Settings]\nDuration=garbage, more\n")
                                                << false << true;
    // Left behind by a crash; QSettings alone would wait until it is 30 s old.
    QTest::newRow("stale settings lock, empty") << "stale lock" << QByteArray() << false << false;
    QTest::newRow("stale settings lock, junk") << "stale lock" << QByteArray("junk\n\x01") << false << false;
}

void UpdateReminderTest::realStoreSurvivesBadFiles()
{
    QFETCH(QString, setup);
    QFETCH(QByteArray, content);
    QFETCH(bool, asks);
    QFETCH(bool, keepsFile);
    if (!ReminderBuilt) {
        asks = false;
        keepsFile = setup == QLatin1String("file");
    }

    QTemporaryDir home;
    QVERIFY(home.isValid());
    QString configHome = home.path();
    const QString file = home.filePath(QStringLiteral("amorial.conf"));
    if (setup == QLatin1String("folder")) {
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("amorial.conf")));
    } else if (setup == QLatin1String("blocked")) {
        configHome = home.filePath(QStringLiteral("not-a-folder"));
        QFile blocker(configHome);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    } else if (setup == QLatin1String("stale lock")) {
        QFile lockFile(file + QStringLiteral(".lock"));
        QVERIFY(lockFile.open(QIODevice::WriteOnly));
        lockFile.write(content);
    } else {
        QFile settingsFile(file);
        QVERIFY(settingsFile.open(QIODevice::WriteOnly));
        settingsFile.write(content);
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configHome);
    QCoreApplication::setApplicationName(QStringLiteral("amorial"));
    FakeClock clock;
    clock.date = Today;
    FakeMessageBoxes boxes;
    FakeUrlOpener urls;
    platform::ScopedSeam<platform::Clock> s1(clock);
    platform::ScopedSeam<platform::MessageBoxes> s2(boxes);
    platform::ScopedSeam<platform::UrlOpener> s3(urls);

    modHelp::CheckUpdateReminder();

    QCOMPARE(boxes.questions.size(), asks ? 1 : 0);
    QElapsedTimer saving;
    saving.start();
    platform::settingsStore().save();
    QVERIFY2(saving.elapsed() < 2000, "the save waited");
    if (setup == QLatin1String("stale lock") && ReminderBuilt) {
        QFile settingsFile(file);
        QVERIFY(settingsFile.open(QIODevice::ReadOnly));
        QCOMPARE(settingsFile.readAll(), "[Settings]\nDuration=" + TodayText.toLatin1() + "\n");
    }
    if (keepsFile) {
        QFile settingsFile(file);
        QVERIFY(settingsFile.open(QIODevice::ReadOnly));
        QCOMPARE(settingsFile.readAll(), content); // left as it was
    }
}

QTEST_GUILESS_MAIN(UpdateReminderTest)
#include "tst_updatereminder.moc"
