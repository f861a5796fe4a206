// SPDX-License-Identifier: MIT
#include "platform/BrowserSettings.h"

namespace platform {
namespace {

// More than any value this program writes: an item this long was put there by
// someone else, and is left alone like a settings file that is not ours.
constexpr qsizetype MaxItemLength = 64 * 1024;

bool hasControlCharacters(const QString &text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

} // namespace

QString browserStorageItemName(const QString &section, const QString &key)
{
    return QStringLiteral("amorial/") + section + QLatin1Char('/') + key;
}

std::optional<QString> BrowserSettingsStore::read(const QString &section, const QString &key)
{
    if (!storage_.available())
        return std::nullopt;
    const std::optional<QString> text = storage_.item(browserStorageItemName(section, key));
    if (!text)
        return QString();
    if (text->size() > MaxItemLength || hasControlCharacters(*text))
        return std::nullopt;
    return text->trimmed();
}

bool BrowserSettingsStore::write(const QString &section, const QString &key, const QString &value)
{
    if (!storage_.available() || hasControlCharacters(value))
        return false;
    const QString name = browserStorageItemName(section, key);
    // An item that is not ours is never overwritten, as a file that is not ours is not.
    if (const std::optional<QString> old = storage_.item(name);
        old && (old->size() > MaxItemLength || hasControlCharacters(*old)))
        return false;
    return storage_.setItem(name, value);
}

} // namespace platform
