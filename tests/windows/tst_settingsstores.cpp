// SPDX-License-Identifier: MIT
// The Windows settings stores on the real file system and registry. Installed,
// the reminder's date is a text value under
// HKEY_CURRENT_USER\Software\<program>\Settings; what lies at <program>.ini
// beside the program makes it portable, and the registry is then never written.
// A file that is not the program's own, a read-only file or a read-only key is
// left as it was and stops the reminder before the page goes out.
#include "common/Fakes.h"
#include "links/modHelp.h"
#include "platform/SettingsFile.h"
#include "platform/windows/SettingsStores.h"

#include <QtTest>

#include <windows.h>
#include <sddl.h>

namespace {

const wchar_t ProgramKey[] = L"Software\\amorial-store-test";
const wchar_t SettingsKey[] = L"Software\\amorial-store-test\\Settings";

bool registryKeyExists()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, ProgramKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

// The text value Settings\Duration as the registry holds it; nullopt when missing or not text.
std::optional<QString> registryDuration()
{
    wchar_t buffer[256];
    DWORD size = sizeof buffer;
    if (::RegGetValueW(HKEY_CURRENT_USER, SettingsKey, L"Duration", RRF_RT_REG_SZ, nullptr, buffer, &size)
        != ERROR_SUCCESS)
        return std::nullopt;
    return QString::fromWCharArray(buffer);
}

void setRegistryDuration(const QString &text)
{
    const std::wstring value = text.toStdWString();
    QCOMPARE(::RegSetKeyValueW(HKEY_CURRENT_USER, SettingsKey, L"Duration", REG_SZ, value.c_str(),
                               DWORD((value.size() + 1) * sizeof(wchar_t))),
             LONG(ERROR_SUCCESS));
}

// Keeps a handle with full access to the Settings key and lets everyone else
// only read it, until destroyed.
class ReadOnlyKey
{
public:
    ReadOnlyKey()
    {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        setSecurity(L"D:P(A;;KR;;;WD)");
    }
    ~ReadOnlyKey()
    {
        setSecurity(L"D:(A;;KA;;;WD)");
        ::RegCloseKey(key_);
    }
    bool valid() const { return key_ != nullptr; }

private:
    void setSecurity(const wchar_t *descriptor)
    {
        PSECURITY_DESCRIPTOR security = nullptr;
        if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(descriptor, SDDL_REVISION_1, &security, nullptr)) {
            ::RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, security);
            ::LocalFree(security);
        }
    }

    HKEY key_ = nullptr;
};

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

class SettingsStoresTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void choosesTheStore_data();
    void choosesTheStore();
    void readsWhatTheRegistryHolds();
    void refusesWhatIsNotItsOwn_data();
    void refusesWhatIsNotItsOwn();

private:
    std::optional<QTemporaryDir> folder_;
    QString iniPath() const { return folder_->filePath(QStringLiteral("amorial-store-test.ini")); }
};

void SettingsStoresTest::init()
{
    QCoreApplication::setApplicationName(QStringLiteral("amorial-store-test"));
    ::RegDeleteTreeW(HKEY_CURRENT_USER, ProgramKey);
    folder_.emplace();
    QVERIFY(folder_->isValid());
}

void SettingsStoresTest::cleanup()
{
    QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner);
    folder_.reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, ProgramKey);
}

void SettingsStoresTest::choosesTheStore_data()
{
    QTest::addColumn<std::optional<QByteArray>>("before"); // the file beside the program; none: nothing there
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("inRegistry");
    QTest::addColumn<QByteArray>("after");

    const std::optional<QByteArray> nothing;
    const QString date = QStringLiteral("2026-12-08");
    // The registry keeps the text as typed, never as a list.
    QTest::newRow("nothing beside the program: the registry") << nothing << date << true << QByteArray();
    QTest::newRow("the registry, a comma") << nothing << QStringLiteral("8,12,2026") << true << QByteArray();
    QTest::newRow("the registry, blanks") << nothing << QStringLiteral(" 2026-12-08 ") << true << QByteArray();
    QTest::newRow("the ZIP's empty file") << std::optional<QByteArray>(QByteArray()) << date << false
                                          << QByteArray("[Settings]\nDuration=2026-12-08\n");
    QTest::newRow("an earlier date replaced, the rest kept")
        << std::optional<QByteArray>("; mine\r\n[Settings]\r\nDuration=2026-11-01\r\n[Other]\r\nx=1\r\n") << date
        << false << QByteArray("; mine\r\n[Settings]\r\nDuration=2026-12-08\r\n[Other]\r\nx=1\r\n");
    QTest::newRow("a file of the largest size read")
        << std::optional<QByteArray>(fileOfSize(settingsfile::MaxFileBytes)) << date << false
        << QByteArray(); // checked by the value read back alone
}

void SettingsStoresTest::choosesTheStore()
{
    QFETCH(std::optional<QByteArray>, before);
    QFETCH(QString, text);
    QFETCH(bool, inRegistry);
    QFETCH(QByteArray, after);
    if (before)
        writeFile(iniPath(), *before);

    const std::unique_ptr<platform::SettingsStore> store = platform::makeSettingsStore(folder_->path());
    QVERIFY(store->write(QStringLiteral("Settings"), QStringLiteral("Duration"), text));
    QVERIFY(store->save());
    QCOMPARE(store->read(QStringLiteral("Settings"), QStringLiteral("Duration")), std::optional<QString>(text));
    QCOMPARE(registryDuration(), inRegistry ? std::optional<QString>(text) : std::nullopt);
    QCOMPARE(registryKeyExists(), inRegistry);
    QCOMPARE(QFileInfo::exists(iniPath()), !inRegistry);
    if (!after.isEmpty())
        QCOMPARE(contentOf(iniPath()), after);
    // Nothing left beside it from the save.
    QCOMPARE(QDir(folder_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
             qsizetype(inRegistry ? 0 : 1));
}

void SettingsStoresTest::readsWhatTheRegistryHolds()
{
    const std::unique_ptr<platform::SettingsStore> store = platform::makeSettingsStore(folder_->path());
    QCOMPARE(store->read(QStringLiteral("Settings"), QStringLiteral("Duration")), std::optional<QString>(QString()));
    setRegistryDuration(QStringLiteral("1999-01-31"));
    QCOMPARE(store->read(QStringLiteral("Settings"), QStringLiteral("Duration")),
             std::optional<QString>(QStringLiteral("1999-01-31")));
}

void SettingsStoresTest::refusesWhatIsNotItsOwn_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("readable");
    QTest::newRow("a folder at the name") << QStringLiteral("folder") << false;
    QTest::newRow("one byte over the size") << QStringLiteral("large") << false;
    QTest::newRow("control characters") << QStringLiteral("binary") << false;
    QTest::newRow("read-only file") << QStringLiteral("read-only") << true;
    QTest::newRow("read-only registry key") << QStringLiteral("read-only key") << true;
}

// The page does not go out, and what lies at the name, or in the registry, stays as it was.
void SettingsStoresTest::refusesWhatIsNotItsOwn()
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
    const bool inRegistry = kind == QLatin1String("read-only key");
    if (kind != QLatin1String("folder") && !inRegistry)
        writeFile(iniPath(), before);
    if (kind == QLatin1String("read-only"))
        QVERIFY(QFile::setPermissions(iniPath(), QFile::ReadOwner));
    std::optional<ReadOnlyKey> readOnlyKey;
    if (inRegistry) {
        setRegistryDuration(QStringLiteral("2026-11-01"));
        QVERIFY(readOnlyKey.emplace().valid());
    }

    const std::unique_ptr<platform::SettingsStore> store = platform::makeSettingsStore(folder_->path());
    QCOMPARE(store->read(QStringLiteral("Settings"), QStringLiteral("Duration")),
             readable ? std::optional<QString>(QStringLiteral("2026-11-01")) : std::nullopt);

    FakeClock clock;
    clock.date = QDate(2026, 12, 8);
    FakeSeams seams;
    seams.boxes.answer = platform::Answer::Yes;
    const platform::ScopedSeam<platform::SettingsStore> storeSeam(*store);
    const platform::ScopedSeam<platform::Clock> clockSeam(clock);
    modHelp::CheckUpdateReminder();

    QCOMPARE(seams.boxes.questions.size(), readable ? 1 : 0);
    QVERIFY(seams.urls.opened.isEmpty());
    QCOMPARE(registryKeyExists(), inRegistry);
    QCOMPARE(registryDuration(), inRegistry ? std::optional<QString>(QStringLiteral("2026-11-01")) : std::nullopt);
    if (kind == QLatin1String("folder"))
        QVERIFY(QFileInfo(iniPath()).isDir());
    else if (!inRegistry)
        QCOMPARE(contentOf(iniPath()), before);
    QCOMPARE(QDir(folder_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
             qsizetype(inRegistry ? 0 : 1));
}

QTEST_GUILESS_MAIN(SettingsStoresTest)
#include "tst_settingsstores.moc"
