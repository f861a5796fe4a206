// SPDX-License-Identifier: MIT
// The settings store of the browser build: the page's local storage, one item
// per value, named "amorial/<section>/<key>". The storage itself sits behind
// KeyValueStorage, so this logic runs (and is tested) without a browser.
#pragma once

#include "platform/Platform.h"

#include <QString>

#include <optional>

namespace platform {

// The browser's local storage for the page's origin.
class KeyValueStorage
{
public:
    virtual ~KeyValueStorage() = default;
    // False where the browser gives the page no storage (turned off, or refused to this origin).
    virtual bool available() = 0;
    // The item's text; nullopt when there is no such item.
    virtual std::optional<QString> item(const QString &name) = 0;
    // False when the browser refuses the item (storage full or turned off); the old item then stays.
    virtual bool setItem(const QString &name, const QString &value) = 0;
};

// The item that holds a value of the settings.
QString browserStorageItemName(const QString &section, const QString &key);

// Local storage keeps what it is given at once: every write is saved as it is made.
class BrowserSettingsStore final : public SettingsStore
{
public:
    explicit BrowserSettingsStore(KeyValueStorage &storage)
        : storage_(storage)
    {
    }
    std::optional<QString> read(const QString &section, const QString &key) override;
    bool write(const QString &section, const QString &key, const QString &value) override;
    bool save() override { return true; }

private:
    KeyValueStorage &storage_;
};

} // namespace platform
