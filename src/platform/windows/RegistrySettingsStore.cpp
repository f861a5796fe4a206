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

class RegistrySettingsStore final : public SettingsStore
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

    bool write(const QString &section, const QString &key, const QString &value) override
    {
        QSettings settings = open();
        settings.setValue(section + QLatin1Char('/') + key, value);
        // Qt writes the registry value in setValue and flushes the key in sync;
        // a refusal in either shows in status().
        settings.sync();
        const bool written = settings.status() == QSettings::NoError;
        failed_ = failed_ || !written;
        return written;
    }

    bool save() override
    {
        // Every write went to the registry when it was made; a save reports
        // whether any of them since the last save was refused.
        const bool saved = !failed_;
        failed_ = false;
        return saved;
    }

private:
    // Named by its path: given only an organisation, QSettings would keep the
    // values one key further down, in OrganizationDefaults.
    static QSettings open()
    {
        return QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + QCoreApplication::applicationName(),
                         QSettings::NativeFormat);
    }

    bool failed_ = false;
};

} // namespace

std::unique_ptr<SettingsStore> makeRegistrySettingsStore() { return std::make_unique<RegistrySettingsStore>(); }

} // namespace platform
