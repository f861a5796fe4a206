// SPDX-License-Identifier: MIT
// The per-user settings store on Windows: QSettings' native store, the
// registry, under HKEY_CURRENT_USER\Software\<executable's name>. The registry
// takes each value at once, so nothing waits for the event loop, and a value
// it refuses is reported by the write itself.
#include "platform/windows/SettingsStores.h"

#include <QCoreApplication>
#include <QSettings>

namespace platform {
namespace {

class RegistrySettingsStore final : public SavedOnWriteStore
{
public:
    std::optional<QString> read(const QString &section, const QString &key) override
    {
        QSettings settings = open();
        const QVariant value = settings.value(section + QLatin1Char('/') + key);
        if (settings.status() != QSettings::NoError)
            return std::nullopt;
        return value.toString();
    }

private:
    bool writeNow(const QString &section, const QString &key, const QString &value) override
    {
        QSettings settings = open();
        settings.setValue(section + QLatin1Char('/') + key, value);
        // Qt writes the registry value in setValue and flushes the key in sync;
        // a refusal in either shows in status().
        settings.sync();
        return settings.status() == QSettings::NoError;
    }

    // Named by its path: given only an organisation, QSettings would keep the
    // values one key further down, in OrganizationDefaults.
    static QSettings open()
    {
        return QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + QCoreApplication::applicationName(),
                         QSettings::NativeFormat);
    }
};

} // namespace

std::unique_ptr<SettingsStore> makeRegistrySettingsStore() { return std::make_unique<RegistrySettingsStore>(); }

} // namespace platform
