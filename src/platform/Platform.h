// SPDX-License-Identifier: MIT
// Small interfaces around everything the program asks of the desktop, so the
// windows and the start-up can be driven by tests without real dialogs,
// browsers, clocks or process exits. Each interface has one real
// implementation in the program, on Qt or on the system's own calls (POSIX
// or Windows); tests install a fake for a scope with ScopedSeam.
#pragma once

#include <QDate>
#include <QString>
#include <QUrl>

#include <optional>

namespace platform {

enum class Answer { Yes, No };

// Modal boxes captioned with the program title and showing an information icon.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // One OK button.
    virtual void information(const QString &text) = 0;
    // Yes and No, Yes being the default button.
    virtual Answer askYesNo(const QString &text) = 0;
};

// Hands a web address to the desktop; never waits and never reports failure.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QUrl &address) = 0;
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() = 0;
};

class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual void seedFromTimeOfDay() = 0;
    // Starts a sequence that the same seed always repeats.
    virtual void seed(quint32 value) = 0;
    // Uniform in [0, 1).
    virtual float next() = 0;
};

// The per-user settings store of the program.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // The stored text, "" when the key is missing, nullopt when the store cannot be read.
    virtual std::optional<QString> read(const QString &section, const QString &key) = 0;
    // False when the store cannot take the value. What a write leaves unsaved
    // is saved when the event loop next runs, or at the latest by save().
    virtual bool write(const QString &section, const QString &key, const QString &value) = 0;
    // Puts every value written so far on disk now. False when that failed; the
    // store then holds what it held before.
    virtual bool save() = 0;
};

// Held by the running instance for the life of its process.
class InstanceLock
{
public:
    virtual ~InstanceLock() = default;
    // True when no other instance holds the lock; this instance then holds it.
    virtual bool tryAcquire() = 0;
    virtual void release() = 0;
};

class ProcessEnder
{
public:
    virtual ~ProcessEnder() = default;
    // Ends the process at once; the real implementation never returns.
    virtual void endProcess() = 0;
};

template<class Interface>
class Seam
{
public:
    static Interface &current() { return override_ ? *override_ : realImplementation(); }

private:
    template<class>
    friend class ScopedSeam;
    static Interface &realImplementation();
    static inline Interface *override_ = nullptr;
};

// Puts a fake in place of the real implementation until the guard goes out of scope.
template<class Interface>
class ScopedSeam
{
public:
    explicit ScopedSeam(Interface &fake)
        : previous_(Seam<Interface>::override_)
    {
        Seam<Interface>::override_ = &fake;
    }
    ~ScopedSeam() { Seam<Interface>::override_ = previous_; }
    ScopedSeam(const ScopedSeam &) = delete;
    ScopedSeam &operator=(const ScopedSeam &) = delete;

private:
    Interface *previous_;
};

// Defined beside the real implementations.
template<> MessageBoxes &Seam<MessageBoxes>::realImplementation();
template<> UrlOpener &Seam<UrlOpener>::realImplementation();
template<> Clock &Seam<Clock>::realImplementation();
template<> RandomSource &Seam<RandomSource>::realImplementation();
template<> SettingsStore &Seam<SettingsStore>::realImplementation();
template<> InstanceLock &Seam<InstanceLock>::realImplementation();
template<> ProcessEnder &Seam<ProcessEnder>::realImplementation();

inline MessageBoxes &messageBoxes() { return Seam<MessageBoxes>::current(); }
inline UrlOpener &urlOpener() { return Seam<UrlOpener>::current(); }
inline Clock &clock() { return Seam<Clock>::current(); }
inline RandomSource &randomSource() { return Seam<RandomSource>::current(); }
inline SettingsStore &settingsStore() { return Seam<SettingsStore>::current(); }
inline InstanceLock &instanceLock() { return Seam<InstanceLock>::current(); }
inline ProcessEnder &processEnder() { return Seam<ProcessEnder>::current(); }

} // namespace platform
