// SPDX-License-Identifier: MIT
#include "platform/FileInstanceLock.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// An advisory lock on a file in the user's runtime folder, held through an open
// descriptor: the kernel drops it when the process ends in any way, so a lock
// is never left behind by a program that crashed or was killed. The file itself
// stays; removing it would let a starting instance lock a file already unlinked.
// It holds the process id of the holder.
class FileInstanceLock final : public InstanceLock
{
public:
    FileInstanceLock() = default;
    explicit FileInstanceLock(QString path)
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

} // namespace

std::unique_ptr<InstanceLock> makeFileInstanceLock(const QString &path)
{
    return std::make_unique<FileInstanceLock>(path);
}

template<> InstanceLock &Seam<InstanceLock>::realImplementation() { static FileInstanceLock lock; return lock; }

} // namespace platform
