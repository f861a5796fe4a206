// SPDX-License-Identifier: MIT
// The two settings stores of the Windows program and the choice between them.
// Installed, it keeps its settings in the registry, like every Windows
// program; unpacked from the ZIP, where the settings file lies beside it, it
// keeps them in that file and writes nothing to the registry, so that a copy
// on a stick leaves each machine it runs on as it found it.
#pragma once

#include "platform/Platform.h"

#include <memory>

namespace platform {

// A store that keeps each value as it is written, as the registry and the
// portable file both do: a save has nothing left to write, and reports
// whether any write since the last save was refused.
class SavedOnWriteStore : public SettingsStore
{
public:
    bool write(const QString &section, const QString &key, const QString &value) final
    {
        const bool written = writeNow(section, key, value);
        failed_ = failed_ || !written;
        return written;
    }

    bool save() final
    {
        const bool saved = !failed_;
        failed_ = false;
        return saved;
    }

protected:
    // Writes the value where it is kept; false when that was refused.
    virtual bool writeNow(const QString &section, const QString &key, const QString &value) = 0;

private:
    bool failed_ = false;
};

// The portable settings file of a program in that folder: <program>.ini.
QString portableSettingsPath(const QString &programFolder);

// The registry's store: HKEY_CURRENT_USER\Software\<program>.
std::unique_ptr<SettingsStore> makeRegistrySettingsStore();

// The store of a program in that folder: the portable settings file when
// anything lies at its name (a file that is no regular file is then refused,
// and the registry still never written), else the registry.
std::unique_ptr<SettingsStore> makeSettingsStore(const QString &programFolder);

} // namespace platform
