// SPDX-License-Identifier: MIT
#include "platform/ProcessSetup.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <csignal>
#include <cstdlib>

#include <sys/resource.h>
#include <sys/stat.h>

namespace platform {
namespace {

// A write past a file-size limit then fails with EFBIG, which the settings
// store handles like any failed write, instead of killing the process.
void ignoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

// The base-directory rules count only absolute paths; a relative one would
// make the lock and the settings depend on the folder the program starts in.
void dropRelativeBaseDirectories()
{
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty() && !QDir::isAbsolutePath(QFile::decodeName(value)))
            qunsetenv(name);
    }
}

// With no session bus named, the D-Bus library would start one of its own
// ("autolaunch"), which outlives the program. Qt's accessibility bridge and
// theme go without a bus; so the bus in the runtime folder, where the
// session has one, or else an address where none answers.
void keepSessionBusFromAutolaunching()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray bus = runtime + "/bus";
    struct stat entry {};
    const bool sessionBus = !runtime.isEmpty() && ::stat(bus.constData(), &entry) == 0 && S_ISSOCK(entry.st_mode);
    qputenv("DBUS_SESSION_BUS_ADDRESS", sessionBus ? "unix:path=" + bus : QByteArray("unix:path=/dev/null"));
}

// Raises the soft limit on open files where it is below what the program
// needs; false when the hard limit does not allow that many.
bool enoughOpenFiles(rlim_t &limit)
{
    struct rlimit files {};
    if (::getrlimit(RLIMIT_NOFILE, &files) != 0)
        return true;
    const rlim_t needed = NeededOpenFiles;
    if (files.rlim_cur != RLIM_INFINITY && files.rlim_cur < needed) {
        files.rlim_cur = files.rlim_max == RLIM_INFINITY ? needed : std::min(needed, files.rlim_max);
        ::setrlimit(RLIMIT_NOFILE, &files);
        ::getrlimit(RLIMIT_NOFILE, &files);
    }
    limit = files.rlim_cur;
    return files.rlim_cur == RLIM_INFINITY || files.rlim_cur >= needed;
}

} // namespace

std::optional<QString> prepareProcess()
{
    ignoreFileSizeSignal();
    dropRelativeBaseDirectories();
    keepSessionBusFromAutolaunching();
    rlim_t limit = 0;
    if (!enoughOpenFiles(limit))
        return QStringLiteral("the limit on open files is %1, and the program needs %2")
            .arg(qulonglong(limit))
            .arg(NeededOpenFiles);
    return std::nullopt;
}

} // namespace platform
