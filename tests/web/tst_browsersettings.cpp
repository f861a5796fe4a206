// SPDX-License-Identifier: MIT
// The browser build keeps the reminder's date in the page's local storage:
// what it reads and writes there, and what it leaves alone.
#include "platform/BrowserSettings.h"

#include <QMap>
#include <QTest>

namespace {

class FakeStorage final : public platform::KeyValueStorage
{
public:
    bool isAvailable = true;
    bool refusesWrites = false;
    QMap<QString, QString> items;

    bool available() override { return isAvailable; }
    std::optional<QString> item(const QString &name) override
    {
        if (!items.contains(name))
            return std::nullopt;
        return items.value(name);
    }
    bool setItem(const QString &name, const QString &value) override
    {
        if (refusesWrites)
            return false;
        items.insert(name, value);
        return true;
    }
};

const QString Item = QStringLiteral("amorial/Settings/Duration");

} // namespace

class tst_BrowserSettings : public QObject
{
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<bool>("available");
        QTest::addColumn<std::optional<QString>>("stored");
        QTest::addColumn<std::optional<QString>>("expected");
        using S = std::optional<QString>;
        QTest::newRow("no item: empty") << true << S() << S(QString());
        QTest::newRow("a date") << true << S("2026-11-24") << S("2026-11-24");
        QTest::newRow("spaces around it") << true << S(" 2026-11-24 ") << S("2026-11-24");
        QTest::newRow("no storage: unreadable") << false << S("2026-11-24") << S();
        QTest::newRow("control characters: not ours") << true << S("2026-11-24\n[x]") << S();
        QTest::newRow("over 64 KiB: not ours") << true << S(QString(65 * 1024, QLatin1Char('2'))) << S();
    }

    void read()
    {
        QFETCH(bool, available);
        QFETCH(std::optional<QString>, stored);
        QFETCH(std::optional<QString>, expected);
        FakeStorage storage;
        storage.isAvailable = available;
        if (stored)
            storage.items.insert(Item, *stored);
        platform::BrowserSettingsStore store(storage);
        QCOMPARE(store.read(QStringLiteral("Settings"), QStringLiteral("Duration")), expected);
    }

    void write_data()
    {
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("refuses");
        QTest::addColumn<std::optional<QString>>("before");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("written");
        using S = std::optional<QString>;
        QTest::newRow("first date") << true << false << S() << "2026-12-09" << true;
        QTest::newRow("replaces the old date") << true << false << S("2026-11-24") << "2026-12-09" << true;
        QTest::newRow("storage full: old date stays") << true << true << S("2026-11-24") << "2026-12-09" << false;
        QTest::newRow("no storage") << false << false << S() << "2026-12-09" << false;
        QTest::newRow("someone else's item stays") << true << false << S("a\tb") << "2026-12-09" << false;
        QTest::newRow("a value with a line break is refused") << true << false << S("2026-11-24") << "2026-12-09\nx"
                                                              << false;
    }

    void write()
    {
        QFETCH(bool, available);
        QFETCH(bool, refuses);
        QFETCH(std::optional<QString>, before);
        QFETCH(QString, value);
        QFETCH(bool, written);
        FakeStorage storage;
        storage.isAvailable = available;
        storage.refusesWrites = refuses;
        if (before)
            storage.items.insert(Item, *before);
        platform::BrowserSettingsStore store(storage);
        QCOMPARE(store.write(QStringLiteral("Settings"), QStringLiteral("Duration"), value), written);
        QCOMPARE(storage.item(Item), written ? std::optional<QString>(value) : before);
        QVERIFY(store.save());
        // Nothing but the one item.
        QVERIFY(storage.items.size() <= 1);
    }
};

QTEST_GUILESS_MAIN(tst_BrowserSettings)
#include "tst_browsersettings.moc"
