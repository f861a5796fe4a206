// SPDX-License-Identifier: MIT
// The portable settings store: the INI file <program>.ini beside the program,
// read and edited with the same code as the Linux settings file, and with the
// same care. Only a regular file of at most settingsfile::MaxFileBytes that
// this program could have written is read; anything else at the name (a
// folder, a link) is neither read nor replaced. A save is all or nothing:
// QSaveFile writes the new file beside the old one, flushes it to the disk and
// only then puts it in the old one's place, and whatever fails leaves the old
// file as it was. A file that is read-only, or in a folder that is (a locked
// stick, a CD), refuses the write, as a read-only registry key does.
//
// As with the registry, each write is saved at once and reports its own
// refusal. Saves need no lock between processes: the instance mutex lets
// only one copy of the program run in a session.
#include "platform/SettingsFile.h"
#include "platform/windows/SettingsStores.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {
namespace {

// The file's content, empty when there is none; nothing when what lies at
// the name is no regular file, is too large to be ours or cannot be read.
std::optional<QByteArray> readFile(const QString &path)
{
    const QFileInfo entry(path);
    if (!entry.exists() && !entry.isSymLink())
        return QByteArray();
    if (entry.isSymLink() || entry.isJunction() || !entry.isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray content = file.read(settingsfile::MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError || content.size() > settingsfile::MaxFileBytes)
        return std::nullopt;
    return content;
}

class PortableSettingsStore final : public SavedOnWriteStore
{
public:
    explicit PortableSettingsStore(QString path)
        : path_(std::move(path))
    {
    }

    std::optional<QString> read(const QString &section, const QString &key) override
    {
        const std::optional<QByteArray> content = wellFormedContent();
        if (!content)
            return std::nullopt;
        return settingsfile::value(*content, section, key);
    }

private:
    bool writeNow(const QString &section, const QString &key, const QString &value) override
    {
        return settingsfile::isPlainValue(value) && replace(section, key, value);
    }

    std::optional<QByteArray> wellFormedContent() const
    {
        std::optional<QByteArray> content = readFile(path_);
        if (content && !settingsfile::isWellFormed(*content))
            return std::nullopt;
        return content;
    }

    bool replace(const QString &section, const QString &key, const QString &value)
    {
        const std::optional<QByteArray> content = wellFormedContent();
        if (!content)
            return false;
        const QByteArray changed = settingsfile::withValue(*content, section, key, value);
        QSaveFile file(path_);
        // QSaveFile refuses a file that is not writable (on Windows, one with
        // the read-only attribute) and a folder it cannot create its new file in.
        return file.open(QIODevice::WriteOnly) && file.write(changed) == changed.size() && file.commit();
    }

    QString path_;
};

} // namespace

QString portableSettingsPath(const QString &programFolder)
{
    return programFolder + QLatin1Char('/') + QCoreApplication::applicationName() + QStringLiteral(".ini");
}

std::unique_ptr<SettingsStore> makeSettingsStore(const QString &programFolder)
{
    const QString path = portableSettingsPath(programFolder);
    const QFileInfo entry(path);
    if (entry.exists() || entry.isSymLink())
        return std::make_unique<PortableSettingsStore>(path);
    return makeRegistrySettingsStore();
}

// Chosen once, at the first use, for the program's whole run.
template<> SettingsStore &Seam<SettingsStore>::realImplementation()
{
    static const std::unique_ptr<SettingsStore> store = makeSettingsStore(QCoreApplication::applicationDirPath());
    return *store;
}

} // namespace platform
