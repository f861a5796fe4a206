// SPDX-License-Identifier: MIT
// The Qt implementations behind the platform seams.
#include "app/AppInfo.h"
#include "app/Platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTime>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {
namespace {

class QtMessageBoxes final : public MessageBoxes
{
public:
    void information(const QString &text) override
    {
        QMessageBox box(QMessageBox::Information, appinfo::ProgramTitle, displayed(text), QMessageBox::Ok);
        box.exec();
    }

    Answer askYesNo(const QString &text) override
    {
        QMessageBox box(QMessageBox::Information, appinfo::ProgramTitle, displayed(text),
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

class QtSettingsStore final : public SettingsStore
{
public:
    std::optional<QString> read(const QString &section, const QString &key) override
    {
        // Sees what this process wrote and has not saved yet: QSettings objects
        // on one file share their changes.
        const std::unique_ptr<QSettings> settings = open();
        const QString value = settings->value(section + QLatin1Char('/') + key).toString();
        if (settings->status() != QSettings::NoError)
            return std::nullopt;
        return value;
    }

    bool write(const QString &section, const QString &key, const QString &value) override
    {
        std::unique_ptr<QSettings> settings = open();
        if (settings->status() != QSettings::NoError)
            return false;
        settings->setValue(section + QLatin1Char('/') + key, value);
        // Saving locks, writes and flushes the file; the QSettings object does
        // it from the event loop, so a first start does not wait on the disk
        // before its window shows. Replacing an unsaved one saves it.
        unsaved_ = std::move(settings);
        return true;
    }

    void save() override { unsaved_.reset(); }

private:
    // Stored under the executable's name, in the user's scope.
    static std::unique_ptr<QSettings> open()
    {
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           QCoreApplication::applicationName());
    }

    std::unique_ptr<QSettings> unsaved_;
};

// An advisory lock on a file in the user's runtime folder, held through an open
// descriptor: the kernel drops it when the process ends in any way, so a lock
// is never left behind by a program that crashed or was killed. The file itself
// stays; removing it would let a starting instance lock a file already unlinked.
// It holds the process id of the holder.
class QtInstanceLock final : public InstanceLock
{
public:
    bool tryAcquire() override
    {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (folder.isEmpty())
            return true; // Nowhere to keep a lock: better to run than to refuse every start.
        const QByteArray path =
            QFile::encodeName(folder + QLatin1Char('/') + QCoreApplication::applicationName() + QStringLiteral(".lock"));
        const int descriptor = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (descriptor < 0)
            return true; // Same: a lock that cannot be made refuses nobody.
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
    // The holder's process id, for whoever wonders which process runs.
    void recordHolder() const
    {
        const QByteArray line = QByteArray::number(qint64(::getpid())) + '\n';
        // Only a note: the lock holds whether or not it is written.
        if (::ftruncate(descriptor_, 0) == 0)
            [[maybe_unused]] const ssize_t written = ::write(descriptor_, line.constData(), size_t(line.size()));
    }

    int descriptor_ = -1;
};

class QtProcessEnder final : public ProcessEnder
{
public:
    void endProcess() override
    {
        instanceLock().release();
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

template<> MessageBoxes &Seam<MessageBoxes>::qtImplementation() { return single<MessageBoxes, QtMessageBoxes>(); }
template<> UrlOpener &Seam<UrlOpener>::qtImplementation() { return single<UrlOpener, QtUrlOpener>(); }
template<> Clock &Seam<Clock>::qtImplementation() { return single<Clock, QtClock>(); }
template<> RandomSource &Seam<RandomSource>::qtImplementation() { return single<RandomSource, QtRandomSource>(); }
template<> SettingsStore &Seam<SettingsStore>::qtImplementation() { return single<SettingsStore, QtSettingsStore>(); }
template<> InstanceLock &Seam<InstanceLock>::qtImplementation() { return single<InstanceLock, QtInstanceLock>(); }
template<> ProcessEnder &Seam<ProcessEnder>::qtImplementation() { return single<ProcessEnder, QtProcessEnder>(); }

} // namespace platform
