// SPDX-License-Identifier: MIT
// The per-user settings store: QSettings under the executable's name, saved
// from the event loop and never waiting on a lock file left behind.
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QThread>

#include <cerrno>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platform {
namespace {

// The text after "key=" in the file's [section], exactly as it stands there.
std::optional<QString> rawValue(const QString &file, const QString &section, const QString &key)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString current;
    while (!in.atEnd()) {
        const QString line = QString::fromUtf8(in.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (current == section && equals > 0 && line.left(equals).trimmed() == key)
            return line.mid(equals + 1).trimmed();
    }
    return std::nullopt;
}

// QSettings saves under the lock file "<file>.lock" and waits until its holder
// removes it or it is 30 s old, so a lock left behind by a crash would freeze
// the save. Every live holder keeps an flock on that file; one that nobody
// locks was left behind and is removed, as QLockFile itself removes one.
// Returns false when the save would have to wait: a live holder keeps the lock
// past a moment, or the name is taken by something QSettings can never lock.
bool settingsLockClear(const QString &settingsFile)
{
    constexpr int WaitMs = 500;
    const QByteArray path = QFile::encodeName(settingsFile + QStringLiteral(".lock"));
    QDeadlineTimer deadline(WaitMs);
    for (;;) {
        if (deadline.hasExpired())
            return false;
        struct stat entry {};
        if (::lstat(path.constData(), &entry) != 0)
            return errno == ENOENT;
        if (!S_ISREG(entry.st_mode))
            return false;
        const int descriptor = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (descriptor >= 0) {
            if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
                // Still the same file under that name, so no new holder's file goes.
                struct stat locked {};
                const bool same = ::fstat(descriptor, &locked) == 0 && ::lstat(path.constData(), &entry) == 0
                                  && locked.st_dev == entry.st_dev && locked.st_ino == entry.st_ino;
                const bool removed = same && ::unlink(path.constData()) == 0;
                ::close(descriptor);
                if (!removed && same)
                    return false;
                continue;
            }
            ::close(descriptor);
        } else if (errno != ENOENT) {
            return false;
        }
        QThread::msleep(10);
    }
}

// Whether a save can be tried without waiting on the disk: QSettings writes a
// new file beside the old one and renames it over, under a lock file.
bool canSave(QSettings &settings)
{
    if (!settings.isWritable()) // Also makes the folder on a first start.
        return false;
    const QFileInfo file(settings.fileName());
    const QString folder = file.absolutePath();
    if (!QFileInfo(folder).isWritable())
        return false;
    struct statvfs space {};
    if (::statvfs(QFile::encodeName(folder).constData(), &space) == 0
        && (::geteuid() == 0 ? space.f_bfree : space.f_bavail) == 0)
        return false;
    struct stat lock {};
    const QByteArray lockPath = QFile::encodeName(file.absoluteFilePath() + QStringLiteral(".lock"));
    return ::lstat(lockPath.constData(), &lock) != 0 || S_ISREG(lock.st_mode);
}

class QtSettingsStore final : public SettingsStore
{
public:
    ~QtSettingsStore() override
    {
        save();
        // Destroying it unsaved would make QSettings save it and wait.
        if (unsaved_)
            [[maybe_unused]] QSettings *kept = unsaved_.release();
    }

    std::optional<QString> read(const QString &section, const QString &key) override
    {
        // The object holding unsaved values, if any: a new one on the same file
        // would save them when it first reads, and wait on the lock to do so.
        std::unique_ptr<QSettings> opened;
        QSettings *settings = unsaved_ ? unsaved_.get() : (opened = open()).get();
        const QString name = section + QLatin1Char('/') + key;
        const QVariant value = settings->value(name);
        if (settings->status() != QSettings::NoError)
            return std::nullopt;
        if (value.typeId() == QMetaType::QString || (!value.isValid() && !settings->contains(name)))
            return value.toString();
        // QSettings reads some texts as other types, a comma as a list: the
        // text in the file is what was stored.
        return rawValue(settings->fileName(), section, key);
    }

    bool write(const QString &section, const QString &key, const QString &value) override
    {
        if (!unsaved_)
            unsaved_ = open();
        QSettings &settings = *unsaved_;
        if (settings.status() != QSettings::NoError || !canSave(settings))
            return false;
        settings.setValue(section + QLatin1Char('/') + key, value);
        // Saving locks, writes and flushes the file. It happens from the event
        // loop, so a first start does not wait on the disk before its window
        // shows; but not by QSettings' own request, which would wait out a lock
        // file left behind.
        QCoreApplication::removePostedEvents(&settings, QEvent::UpdateRequest);
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
        if (!unsaved_)
            return true;
        if (!settingsLockClear(unsaved_->fileName()))
            return false; // Kept unsaved rather than wait; the next save tries again.
        unsaved_->sync();
        const bool saved = unsaved_->status() == QSettings::NoError;
        unsaved_.reset();
        return saved;
    }

private:
    // Stored under the executable's name, in the user's scope.
    static std::unique_ptr<QSettings> open()
    {
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           QCoreApplication::applicationName());
    }

    std::unique_ptr<QSettings> unsaved_;
    bool saveQueued_ = false;
};

} // namespace

template<> SettingsStore &Seam<SettingsStore>::qtImplementation()
{
    static QtSettingsStore store;
    return store;
}

} // namespace platform
