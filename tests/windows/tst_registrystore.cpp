// SPDX-License-Identifier: MIT
// The settings store on Windows, against the registry itself: the reminder's
// date is a text value under HKEY_CURRENT_USER\Software\<program>\Settings, and
// a key that refuses the write stops the reminder before the page goes out.
#include "common/Fakes.h"
#include "links/modHelp.h"

#include <QtTest>

#include <windows.h>
#include <sddl.h>

namespace {

const wchar_t ProgramKey[] = L"Software\\amorial-store-test";
const wchar_t SettingsKey[] = L"Software\\amorial-store-test\\Settings";

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

} // namespace

class RegistryStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void keepsTheTextInTheRegistry_data();
    void keepsTheTextInTheRegistry();
    void readsWhatTheRegistryHolds();
    void refusedWriteStopsTheReminder();
};

void RegistryStoreTest::init()
{
    QCoreApplication::setApplicationName(QStringLiteral("amorial-store-test"));
    ::RegDeleteTreeW(HKEY_CURRENT_USER, ProgramKey);
}

void RegistryStoreTest::cleanup()
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, ProgramKey);
}

void RegistryStoreTest::keepsTheTextInTheRegistry_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("ISO date") << QStringLiteral("2026-12-08");
    QTest::newRow("comma") << QStringLiteral("8,12,2026");
    QTest::newRow("spaces") << QStringLiteral(" 2026-12-08 ");
}

void RegistryStoreTest::keepsTheTextInTheRegistry()
{
    QFETCH(QString, text);
    platform::SettingsStore &store = platform::settingsStore();
    QVERIFY(store.write(QStringLiteral("Settings"), QStringLiteral("Duration"), text));
    QVERIFY(store.save());
    QCOMPARE(registryDuration(), std::optional<QString>(text));
    QCOMPARE(store.read(QStringLiteral("Settings"), QStringLiteral("Duration")), std::optional<QString>(text));
}

void RegistryStoreTest::readsWhatTheRegistryHolds()
{
    platform::SettingsStore &store = platform::settingsStore();
    QCOMPARE(store.read(QStringLiteral("Settings"), QStringLiteral("Duration")), std::optional<QString>(QString()));
    setRegistryDuration(QStringLiteral("1999-01-31"));
    QCOMPARE(store.read(QStringLiteral("Settings"), QStringLiteral("Duration")),
             std::optional<QString>(QStringLiteral("1999-01-31")));
}

void RegistryStoreTest::refusedWriteStopsTheReminder()
{
    setRegistryDuration(QStringLiteral("2026-11-01"));
    const ReadOnlyKey readOnly;
    QVERIFY(readOnly.valid());

    FakeClock clock;
    clock.date = QDate(2026, 12, 8);
    FakeMessageBoxes boxes;
    boxes.answer = platform::Answer::Yes;
    FakeUrlOpener browser;
    const platform::ScopedSeam<platform::Clock> clockSeam(clock);
    const platform::ScopedSeam<platform::MessageBoxes> boxSeam(boxes);
    const platform::ScopedSeam<platform::UrlOpener> browserSeam(browser);

    modHelp::CheckUpdateReminder();
    QCOMPARE(boxes.questions.size(), qsizetype(1));
    QVERIFY(browser.opened.isEmpty());
    QCOMPARE(registryDuration(), std::optional<QString>(QStringLiteral("2026-11-01")));
}

QTEST_GUILESS_MAIN(RegistryStoreTest)
#include "tst_registrystore.moc"
