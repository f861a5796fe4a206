// SPDX-License-Identifier: MIT
// Fakes for the platform seams: they record what the program asked for and
// answer at once, so no test blocks on a box, opens a browser or ends itself.
#pragma once

#include "platform/Platform.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <functional>

class FakeMessageBoxes final : public platform::MessageBoxes
{
public:
    void information(const QString &text) override
    {
        informations.append(text);
        if (onShown)
            onShown(text);
    }
    platform::Answer askYesNo(const QString &text) override
    {
        questions.append(text);
        if (onShown)
            onShown(text);
        return answer;
    }

    QStringList informations;
    QStringList questions;
    platform::Answer answer = platform::Answer::No;
    std::function<void(const QString &)> onShown;
};

class FakeUrlOpener final : public platform::UrlOpener
{
public:
    void open(const QUrl &address) override
    {
        opened.append(address.toString());
        if (onOpened)
            onOpened(address.toString());
    }
    QStringList opened;
    std::function<void(const QString &)> onOpened;
};

class FakeClock final : public platform::Clock
{
public:
    QDate today() override { return date; }
    QDate date = QDate(2026, 12, 8);
};

// Gives the draws it was told to, then repeats the last.
class FakeRandomSource final : public platform::RandomSource
{
public:
    void seedFromTimeOfDay() override { ++seeds; }
    void seed(quint32) override {}
    float next() override { return draws.isEmpty() ? 0.0f : (draws.size() > 1 ? draws.takeFirst() : draws.first()); }
    QList<float> draws;
    int seeds = 0;
};

class FakeSettingsStore final : public platform::SettingsStore
{
public:
    std::optional<QString> read(const QString &section, const QString &key) override
    {
        ++reads;
        if (!readable)
            return std::nullopt;
        return values.value(section + QLatin1Char('/') + key);
    }
    bool write(const QString &section, const QString &key, const QString &value) override
    {
        ++writes;
        if (!writable)
            return false;
        values.insert(section + QLatin1Char('/') + key, value);
        return true;
    }
    bool save() override
    {
        ++saves;
        return savable;
    }

    QHash<QString, QString> values;
    bool readable = true;
    bool writable = true;
    bool savable = true;
    int reads = 0;
    int writes = 0;
    int saves = 0;
};

class FakeInstanceLock final : public platform::InstanceLock
{
public:
    bool tryAcquire() override { return !heldElsewhere; }
    void release() override
    {
        ++releases;
        if (onRelease)
            onRelease();
    }
    bool heldElsewhere = false;
    int releases = 0;
    std::function<void()> onRelease;
};

class FakeProcessEnder final : public platform::ProcessEnder
{
public:
    void endProcess() override { ++calls; }
    int calls = 0;
};

// The fakes every window test runs with, installed for the life of the object.
struct FakeSeams
{
    FakeMessageBoxes boxes;
    FakeUrlOpener urls;
    FakeProcessEnder ender;
    platform::ScopedSeam<platform::MessageBoxes> boxesGuard{boxes};
    platform::ScopedSeam<platform::UrlOpener> urlsGuard{urls};
    platform::ScopedSeam<platform::ProcessEnder> enderGuard{ender};
};
