// SPDX-License-Identifier: MIT
// The real single-instance lock, two of them in one process, on whatever may
// stand at the lock file's place.
#include "platform/FileInstanceLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

class InstanceLockTest : public QObject
{
    Q_OBJECT

private slots:
    void lockPathStates_data();
    void lockPathStates();
};

void InstanceLockTest::lockPathStates_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("guarded");  // a second lock is refused while the first holds
    QTest::addColumn<bool>("untouched"); // what stands there, or what a link points to, keeps its bytes

    QTest::newRow("nothing there") << "none" << true << false;
    QTest::newRow("symlink to a user's file") << "symlink" << false << true;
    QTest::newRow("directory") << "directory" << true << true;
    QTest::newRow("read-only file") << "read-only" << true << true;
    QTest::newRow("FIFO") << "fifo" << true << true;
    QTest::newRow("file holding junk") << "junk" << true << false;
}

void InstanceLockTest::lockPathStates()
{
    QFETCH(QString, state);
    QFETCH(bool, guarded);
    QFETCH(bool, untouched);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("amorial.lock"));
    const QString target = folder.filePath(QStringLiteral("notes.txt"));
    const QByteArray kept = "the user's own words\n";
    QString contentAt = path;
    auto writeFile = [&kept](const QString &name) {
        QFile file(name);
        return file.open(QIODevice::WriteOnly) && file.write(kept) == kept.size();
    };

    if (state == QLatin1String("symlink")) {
        QVERIFY(writeFile(target));
        QVERIFY(QFile::link(target, path));
        contentAt = target;
    } else if (state == QLatin1String("directory")) {
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("amorial.lock")));
    } else if (state == QLatin1String("read-only")) {
        QVERIFY(writeFile(path));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    } else if (state == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (state == QLatin1String("junk")) {
        QVERIFY(writeFile(path));
    }

    const std::unique_ptr<platform::InstanceLock> first = platform::makeFileInstanceLock(path);
    const std::unique_ptr<platform::InstanceLock> second = platform::makeFileInstanceLock(path);
    QVERIFY(first->tryAcquire()); // whatever stands there, the program starts
    QCOMPARE(second->tryAcquire(), !guarded);
    if (guarded) {
        QVERIFY(!second->tryAcquire()); // a refusal leaves nothing held
        first->release();
        QVERIFY(second->tryAcquire());
        QVERIFY(!first->tryAcquire());
    }
    first->release();
    second->release();

    if (state == QLatin1String("symlink"))
        QVERIFY(QFileInfo(path).isSymLink());
    if (QFileInfo(contentAt).isFile()) {
        QFile file(contentAt);
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (untouched)
            QCOMPARE(file.readAll(), kept);
        else // a file of the program's own: it now names the holder
            QCOMPARE(file.readAll(), QByteArray::number(qint64(::getpid())) + '\n');
    }
}

QTEST_GUILESS_MAIN(InstanceLockTest)
#include "tst_instancelock.moc"
