// SPDX-License-Identifier: MIT
// The Qt implementations behind the platform seams.
#include "platform/FileInstanceLock.h"
#include "platform/Platform.h"
#include "platform/ProgramInfo.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>
#include <QTime>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platform {
namespace {

class QtMessageBoxes final : public MessageBoxes
{
public:
    void information(const QString &text) override
    {
        QMessageBox box(QMessageBox::Information, programinfo::ProgramTitle, displayed(text), QMessageBox::Ok);
        box.exec();
    }

    Answer askYesNo(const QString &text) override
    {
        QMessageBox box(QMessageBox::Information, programinfo::ProgramTitle, displayed(text),
                        QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }

private:
    // Our texts separate lines with a lone carriage return, which a label would not break on.
    static QString displayed(QString text) { return text.replace(QLatin1Char('\r'), QLatin1Char('\n')); }
};

class QtUrlOpener final : public UrlOpener
{
public:
    void open(const QUrl &address) override { QDesktopServices::openUrl(address); }
};

class QtClock final : public Clock
{
public:
    QDate today() override { return QDate::currentDate(); }
};

class QtRandomSource final : public RandomSource
{
public:
    void seedFromTimeOfDay() override { seed(quint32(QTime::currentTime().msecsSinceStartOfDay())); }
    void seed(quint32 value) override { engine_.seed(value); }

    float next() override
    {
        // 24 random bits fill a float's mantissa exactly, so the result never rounds up to 1.
        return float(engine_() >> 8) * (1.0f / 16777216.0f);
    }

private:
    std::mt19937 engine_;
};

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

    void save() override
    {
        if (!unsaved_ || !settingsLockClear(unsaved_->fileName()))
            return; // Kept unsaved rather than wait; the next save tries again.
        unsaved_->sync();
        unsaved_.reset();
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

// An advisory lock on a file in the user's runtime folder, held through an open
// descriptor: the kernel drops it when the process ends in any way, so a lock
// is never left behind by a program that crashed or was killed. The file itself
// stays; removing it would let a starting instance lock a file already unlinked.
// It holds the process id of the holder.
class QtInstanceLock final : public InstanceLock
{
public:
    QtInstanceLock() = default;
    explicit QtInstanceLock(QString path)
        : path_(std::move(path))
    {
    }

    bool tryAcquire() override
    {
        const QString path = path_.isEmpty() ? defaultPath() : path_;
        if (path.isEmpty())
            return true; // Nowhere to keep a lock: better to run than to refuse every start.
        const QByteArray name = QFile::encodeName(path);
        // Never through a link, and never waiting on a FIFO.
        constexpr int Flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
        int descriptor = ::open(name.constData(), O_RDWR | O_CREAT | Flags, 0600);
        // A read-only file, someone else's or a folder: the lock holds on a
        // descriptor opened for reading just as well.
        if (descriptor < 0 && errno != ELOOP)
            descriptor = ::open(name.constData(), O_RDONLY | Flags);
        if (descriptor < 0)
            return true; // A link, or nothing we may open: run without the lock.
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
            descriptor_ = descriptor;
            recordHolder();
            return true;
        }
        const bool heldElsewhere = errno == EWOULDBLOCK;
        ::close(descriptor);
        return !heldElsewhere;
    }

    void release() override
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
        descriptor_ = -1;
    }

private:
    static QString defaultPath()
    {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (folder.isEmpty())
            return QString();
        return folder + QLatin1Char('/') + QCoreApplication::applicationName() + QStringLiteral(".lock");
    }

    // The holder's process id, for whoever wonders which process runs. Written
    // only into a plain file of ours, opened for writing, with no other name.
    void recordHolder() const
    {
        struct stat file {};
        if (::fstat(descriptor_, &file) != 0 || !S_ISREG(file.st_mode) || file.st_uid != ::geteuid()
            || !(file.st_mode & S_IWUSR) || file.st_nlink != 1 || (::fcntl(descriptor_, F_GETFL) & O_ACCMODE) != O_RDWR)
            return;
        const QByteArray line = QByteArray::number(qint64(::getpid())) + '\n';
        // Only a note: the lock holds whether or not it is written.
        if (::ftruncate(descriptor_, 0) == 0)
            [[maybe_unused]] const ssize_t written = ::write(descriptor_, line.constData(), size_t(line.size()));
    }

    QString path_;
    int descriptor_ = -1;
};

class QtProcessEnder final : public ProcessEnder
{
public:
    void endProcess() override
    {
        std::fflush(nullptr);
        std::_Exit(EXIT_SUCCESS);
    }
};

template<class Interface, class Implementation>
Interface &single()
{
    static Implementation implementation;
    return implementation;
}

} // namespace

std::unique_ptr<InstanceLock> makeFileInstanceLock(const QString &path)
{
    return std::make_unique<QtInstanceLock>(path);
}

template<> MessageBoxes &Seam<MessageBoxes>::qtImplementation() { return single<MessageBoxes, QtMessageBoxes>(); }
template<> UrlOpener &Seam<UrlOpener>::qtImplementation() { return single<UrlOpener, QtUrlOpener>(); }
template<> Clock &Seam<Clock>::qtImplementation() { return single<Clock, QtClock>(); }
template<> RandomSource &Seam<RandomSource>::qtImplementation() { return single<RandomSource, QtRandomSource>(); }
template<> SettingsStore &Seam<SettingsStore>::qtImplementation() { return single<SettingsStore, QtSettingsStore>(); }
template<> InstanceLock &Seam<InstanceLock>::qtImplementation() { return single<InstanceLock, QtInstanceLock>(); }
template<> ProcessEnder &Seam<ProcessEnder>::qtImplementation() { return single<ProcessEnder, QtProcessEnder>(); }

} // namespace platform
