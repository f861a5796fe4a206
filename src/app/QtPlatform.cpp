// SPDX-License-Identifier: MIT
// The Qt implementations behind the platform seams.
#include "app/AppInfo.h"
#include "app/Platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLockFile>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTime>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

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
    void seedFromTimeOfDay() override { engine_.seed(QTime::currentTime().msecsSinceStartOfDay()); }

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
        QSettings settings = open();
        const QString value = settings.value(section + QLatin1Char('/') + key).toString();
        if (settings.status() != QSettings::NoError)
            return std::nullopt;
        return value;
    }

    bool write(const QString &section, const QString &key, const QString &value) override
    {
        QSettings settings = open();
        if (settings.status() != QSettings::NoError)
            return false;
        settings.setValue(section + QLatin1Char('/') + key, value);
        settings.sync();
        return settings.status() == QSettings::NoError;
    }

private:
    // Stored under the executable's name, in the user's scope.
    static QSettings open()
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, QCoreApplication::applicationName());
    }
};

class QtInstanceLock final : public InstanceLock
{
public:
    bool tryAcquire() override
    {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (folder.isEmpty())
            return true; // Nowhere to keep a lock: better to run than to refuse every start.
        lock_ = std::make_unique<QLockFile>(folder + QLatin1Char('/') + QCoreApplication::applicationName()
                                            + QStringLiteral(".lock"));
        if (lock_->tryLock(0))
            return true;
        // A lock left by a process that died is taken over; a live holder keeps it.
        return lock_->error() == QLockFile::LockFailedError ? false : true;
    }

    void release() override
    {
        if (lock_)
            lock_->unlock();
    }

private:
    std::unique_ptr<QLockFile> lock_;
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
