// SPDX-License-Identifier: MIT
// The per-user settings store: the INI file <config home>/<program>.conf, read
// and written here rather than through QSettings, so that a read never blocks
// and a save is all or nothing. A save writes the whole new file beside the old
// one, checks every write, syncs it and only then renames it over the old file;
// whatever fails leaves the old file as it was and nothing beside it.
#include "platform/Platform.h"
#include "platform/SettingsFile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

using settingsfile::MaxFileBytes;

// Closes a descriptor when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int value = -1)
        : value_(value)
    {
    }
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return value_; }
    bool valid() const { return value_ >= 0; }
    void reset(int value = -1)
    {
        if (value_ >= 0)
            ::close(value_);
        value_ = value;
    }

private:
    int value_;
};

QByteArray encoded(const QString &path) { return QFile::encodeName(path); }

// Where the settings live: $XDG_CONFIG_HOME, which counts only as an absolute
// path, else ~/.config.
QString settingsPath()
{
    QString folder = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(folder))
        folder = QDir::homePath() + QStringLiteral("/.config");
    return folder + QLatin1Char('/') + QCoreApplication::applicationName() + QStringLiteral(".conf");
}

// The file a read and a save go to. A link at the settings' name is followed
// only to a regular file of the user's own, which a save then replaces while
// the link stays; anything else at the name is never opened or replaced.
struct Target
{
    enum Kind { Missing, File, Unusable };
    Kind kind = Unusable;
    QString path;
};

Target resolve(const QString &path)
{
    const QByteArray name = encoded(path);
    struct stat entry {};
    if (::lstat(name.constData(), &entry) != 0)
        return errno == ENOENT ? Target{Target::Missing, path} : Target{};
    if (S_ISREG(entry.st_mode))
        return {Target::File, path};
    if (!S_ISLNK(entry.st_mode))
        return {};
    struct stat linked {};
    if (::stat(name.constData(), &linked) != 0 || !S_ISREG(linked.st_mode) || linked.st_uid != ::geteuid())
        return {};
    char resolved[PATH_MAX];
    if (!::realpath(name.constData(), resolved))
        return {};
    return {Target::File, QFile::decodeName(resolved)};
}

// The whole file, empty when there is none; nothing when it is not a regular
// file, is too large to be ours or cannot be read.
std::optional<QByteArray> readFile(const Target &target)
{
    if (target.kind == Target::Missing)
        return QByteArray();
    if (target.kind != Target::File)
        return std::nullopt;
    // Non-blocking and checked once open: what stands there may have changed.
    Descriptor file(::open(encoded(target.path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (!file.valid() || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    QByteArray content(MaxFileBytes + 1, Qt::Uninitialized);
    qsizetype total = 0;
    while (total < content.size()) {
        const ssize_t got = ::read(file.get(), content.data() + total, size_t(content.size() - total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        total += got;
    }
    if (total > MaxFileBytes)
        return std::nullopt;
    content.truncate(total);
    return content;
}

bool writeAll(int descriptor, const QByteArray &bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t done = ::write(descriptor, bytes.constData() + written, size_t(bytes.size() - written));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        written += done;
    }
    return true;
}

// Serialises saves: an advisory lock on the settings' folder, which leaves no
// file behind whatever happens to the process. Gives up after a moment rather
// than keep the program waiting.
bool lockFolder(int folder)
{
    constexpr int WaitMs = 500;
    const QDeadlineTimer deadline(WaitMs);
    while (::flock(folder, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}

// The file beside the settings that a save fills before it takes their name.
QByteArray temporaryName(const QString &target)
{
    return encoded(QFileInfo(target).fileName() + QStringLiteral(".new"));
}

// Opens the new file under its temporary name, where only a process killed
// in mid-save leaves it behind; the next save removes it. The new file takes
// the old one's permissions and, for a save by root, its owner.
int createTemporary(int folder, const QByteArray &name, const struct stat *old)
{
    struct stat leftover {};
    if (::fstatat(folder, name.constData(), &leftover, AT_SYMLINK_NOFOLLOW) == 0) {
        if (!S_ISREG(leftover.st_mode) || ::unlinkat(folder, name.constData(), 0) != 0)
            return -1;
    }
    const int file = ::openat(folder, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (file < 0 || !old)
        return file;
    const bool kept = ::fchmod(file, old->st_mode & 07777) == 0
                      && (::geteuid() != 0 || ::fchown(file, old->st_uid, old->st_gid) == 0);
    if (!kept) {
        ::close(file);
        ::unlinkat(folder, name.constData(), 0);
        return -1;
    }
    return file;
}

// Puts content in place of the target file in one step, or leaves it as it was.
bool replaceFile(const Target &target, const QByteArray &content)
{
    const QFileInfo info(target.path);
    Descriptor folder(::open(encoded(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid() || !lockFolder(folder.get()))
        return false;
    const QByteArray fileName = encoded(info.fileName());
    struct stat old {};
    const bool hasOld = ::fstatat(folder.get(), fileName.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (hasOld && !S_ISREG(old.st_mode))
        return false;
    const QByteArray temporary = temporaryName(target.path);
    Descriptor file(createTemporary(folder.get(), temporary, hasOld ? &old : nullptr));
    if (!file.valid())
        return false;
    const bool written = writeAll(file.get(), content) && ::fsync(file.get()) == 0;
    file.reset();
    if (!written || ::renameat(folder.get(), temporary.constData(), folder.get(), fileName.constData()) != 0) {
        ::unlinkat(folder.get(), temporary.constData(), 0);
        return false;
    }
    // The rename itself reaches the disk with the folder.
    ::fsync(folder.get());
    return true;
}

bool makeFolderFor(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (QFileInfo(folder).isDir())
        return true;
    // Private, as the base-directory rules ask of a folder made for them.
    return QDir().mkpath(folder) && QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

struct Change
{
    QString section;
    QString key;
    QString value;
};

class SettingsFileStore final : public SettingsStore
{
public:
    ~SettingsFileStore() override { save(); }

    std::optional<QString> read(const QString &section, const QString &key) override
    {
        const std::optional<QByteArray> content = currentContent(resolve(settingsPath()));
        if (!content)
            return std::nullopt;
        return settingsfile::value(*content, section, key);
    }

    bool write(const QString &section, const QString &key, const QString &value) override
    {
        const QString path = settingsPath();
        if (!settingsfile::isPlainValue(value) || !currentContent(resolve(path)) || !makeFolderFor(path))
            return false;
        pending_.append({section, key, value});
        // Saving syncs the file to the disk. It happens from the event loop, so
        // a first start does not wait on the disk before its window shows.
        if (!saveQueued_ && QCoreApplication::instance()) {
            saveQueued_ = true;
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [this] {
                    saveQueued_ = false;
                    save();
                },
                Qt::QueuedConnection);
        }
        return true;
    }

    bool save() override
    {
        if (pending_.isEmpty())
            return true;
        // Read again just before the save, so that what others wrote meanwhile stays.
        const Target target = resolve(settingsPath());
        const std::optional<QByteArray> content = currentContent(target);
        if (!content || !replaceFile(target, *content))
            return false; // Kept unsaved; the next save tries again.
        pending_.clear();
        return true;
    }

private:
    // The file's content with the values not yet saved, or nothing when the
    // file is not one this program could have written.
    std::optional<QByteArray> currentContent(const Target &target) const
    {
        std::optional<QByteArray> content = readFile(target);
        if (!content || !settingsfile::isWellFormed(*content))
            return std::nullopt;
        for (const Change &change : pending_)
            *content = settingsfile::withValue(*content, change.section, change.key, change.value);
        return content;
    }

    QList<Change> pending_;
    bool saveQueued_ = false;
};

} // namespace

template<> SettingsStore &Seam<SettingsStore>::realImplementation() { static SettingsFileStore store; return store; }

} // namespace platform
