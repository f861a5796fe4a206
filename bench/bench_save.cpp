// SPDX-License-Identifier: MIT
// Time of one save of the reminder's date by the real settings store, fsync of
// the file and of its folder included, in a folder of its own.
//   build-dir/bench/bench_save [-iterations N]
// The folder lies under TMPDIR; point it at the disk to measure.
#include "platform/Platform.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class bench_save : public QObject
{
    Q_OBJECT

private slots:
    void save_data();
    void save();
};

void bench_save::save_data()
{
    QTest::addColumn<QByteArray>("lockFile"); // what an older version's lock file holds; null: none
    QTest::newRow("settings alone") << QByteArray();
    // QSettings' lock file, left behind by a crash, must not make the save wait.
    QTest::newRow("beside a stale lock file") << QByteArray("junk\n");
}

void bench_save::save()
{
    QFETCH(QByteArray, lockFile);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    QCoreApplication::setApplicationName(QStringLiteral("amorial"));
    if (!lockFile.isNull()) {
        QFile lock(home.filePath(QStringLiteral("amorial.conf.lock")));
        QVERIFY(lock.open(QIODevice::WriteOnly) && lock.write(lockFile) == lockFile.size());
    }
    platform::SettingsStore &store = platform::settingsStore();
    int day = 0;
    QBENCHMARK {
        const QString date = QStringLiteral("2026-12-%1").arg(1 + day++ % 28, 2, 10, QLatin1Char('0'));
        QVERIFY(store.write(QStringLiteral("Settings"), QStringLiteral("Duration"), date));
        QVERIFY(store.save());
    }
    qunsetenv("XDG_CONFIG_HOME");
}

QTEST_GUILESS_MAIN(bench_save)
#include "bench_save.moc"
