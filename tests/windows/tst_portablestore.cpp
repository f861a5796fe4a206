// SPDX-License-Identifier: MIT
// The choice between the registry and the portable settings file beside the
// program, and the portable file's defences, on the real file system and
// registry: what lies at <program>.ini decides, the registry is never written
// once anything lies there, and a file that is not the program's own, or is
// read-only, is left as it was and stops the reminder before the page goes out.
#include "common/Fakes.h"
#include "links/modHelp.h"
#include "platform/SettingsFile.h"
#include "platform/windows/SettingsStores.h"

#include <QtTest>

#include <windows.h>

namespace {

const wchar_t ProgramKey[] = L"Software\\amorial-portable-test";

bool registryKeyExists()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, ProgramKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

// A well-formed settings file of exactly that many bytes: the date, then comment lines.
QByteArray fileOfSize(qint64 bytes)
{
    QByteArray content = "[Settings]\nDuration=2026-11-01\n";
    while (content.size() < bytes) {
        const qint64 line = std::min<qint64>(bytes - content.size(), 80);
        content += QByteArray(line - 1, ';') + '\n';
    }
    return content;
}

} // namespace

class PortableStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void choosesTheStore_data();
    void choosesTheStore();
    void refusesWhatIsNotItsOwn_data();
    void refusesWhatIsNotItsOwn();

private:
    std::optional<QTemporaryDir> folder_;
    QString iniPath() const { return folder_->filePath(QStringLiteral("amorial-portable-test.ini")); }
};

void PortableStoreTest::init()
{
    QCoreApplication::setApplicationName(QStringLiteral("amorial-portable-test"));
    ::RegDeleteTreeW(HKEY_CURRENT_USER, ProgramKey);
    folder_.emplace();
    QVERIFY(folder_->isValid());
}

void PortableStoreTest::cleanup()
{
    QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner);
    folder_.reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, ProgramKey);
}

void PortableStoreTest::choosesTheStore_data()
{
    QTest::addColumn<std::optional<QByteArray>>("before"); // the file beside the program; none: nothing there
    QTest::addColumn<bool>("inRegistry");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("nothing beside the program: the registry") << std::optional<QByteArray>() << true << QByteArray();
    QTest::newRow("the ZIP's empty file") << std::optional<QByteArray>(QByteArray()) << false
                                          << QByteArray("[Settings]\nDuration=2026-12-08\n");
    QTest::newRow("an earlier date replaced, the rest kept")
        << std::optional<QByteArray>("; mine\r\n[Settings]\r\nDuration=2026-11-01\r\n[Other]\r\nx=1\r\n") << false
        << QByteArray("; mine\r\n[Settings]\r\nDuration=2026-12-08\r\n[Other]\r\nx=1\r\n");
    QTest::newRow("a file of the largest size read")
        << std::optional<QByteArray>(fileOfSize(settingsfile::MaxFileBytes)) << false
        << QByteArray(); // checked by the value read back alone
}

void PortableStoreTest::choosesTheStore()
{
    QFETCH(std::optional<QByteArray>, before);
    QFETCH(bool, inRegistry);
    QFETCH(QByteArray, after);
    if (before)
        writeFile(iniPath(), *before);

    const std::unique_ptr<platform::SettingsStore> store = platform::makeSettingsStore(folder_->path());
    QVERIFY(store->write(QStringLiteral("Settings"), QStringLiteral("Duration"), QStringLiteral("2026-12-08")));
    QVERIFY(store->save());
    QCOMPARE(store->read(QStringLiteral("Settings"), QStringLiteral("Duration")),
             std::optional<QString>(QStringLiteral("2026-12-08")));
    QCOMPARE(registryKeyExists(), inRegistry);
    QCOMPARE(QFileInfo::exists(iniPath()), !inRegistry);
    if (!after.isEmpty())
        QCOMPARE(contentOf(iniPath()), after);
    // Nothing left beside it from the save.
    QCOMPARE(QDir(folder_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
             qsizetype(inRegistry ? 0 : 1));
}

void PortableStoreTest::refusesWhatIsNotItsOwn_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("readable");
    QTest::newRow("a folder at the name") << QStringLiteral("folder") << false;
    QTest::newRow("one byte over the size") << QStringLiteral("large") << false;
    QTest::newRow("control characters") << QStringLiteral("binary") << false;
    QTest::newRow("read-only file") << QStringLiteral("read-only") << true;
}

// As with a read-only registry key: the question is asked, the page does not go out,
// and what lies at the name stays as it was.
void PortableStoreTest::refusesWhatIsNotItsOwn()
{
    QFETCH(QString, kind);
    QFETCH(bool, readable);
    QByteArray before = "[Settings]\nDuration=2026-11-01\n";
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(iniPath()));
    else if (kind == QLatin1String("large"))
        before = fileOfSize(settingsfile::MaxFileBytes + 1);
    else if (kind == QLatin1String("binary"))
        before.append("x=\x01\n");
    if (kind != QLatin1String("folder"))
        writeFile(iniPath(), before);
    if (kind == QLatin1String("read-only"))
        QVERIFY(QFile::setPermissions(iniPath(), QFile::ReadOwner));

    const std::unique_ptr<platform::SettingsStore> store = platform::makeSettingsStore(folder_->path());
    QCOMPARE(store->read(QStringLiteral("Settings"), QStringLiteral("Duration")),
             readable ? std::optional<QString>(QStringLiteral("2026-11-01")) : std::nullopt);

    FakeClock clock;
    clock.date = QDate(2026, 12, 8);
    FakeMessageBoxes boxes;
    boxes.answer = platform::Answer::Yes;
    FakeUrlOpener browser;
    const platform::ScopedSeam<platform::SettingsStore> storeSeam(*store);
    const platform::ScopedSeam<platform::Clock> clockSeam(clock);
    const platform::ScopedSeam<platform::MessageBoxes> boxSeam(boxes);
    const platform::ScopedSeam<platform::UrlOpener> browserSeam(browser);
    modHelp::CheckUpdateReminder();

    QVERIFY(browser.opened.isEmpty());
    QVERIFY(!registryKeyExists());
    if (kind == QLatin1String("folder"))
        QVERIFY(QFileInfo(iniPath()).isDir());
    else
        QCOMPARE(contentOf(iniPath()), before);
    QCOMPARE(QDir(folder_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
             qsizetype(1));
}

QTEST_GUILESS_MAIN(PortableStoreTest)
#include "tst_portablestore.moc"
