// SPDX-License-Identifier: MIT
// The real implementations on Qt: message boxes, the URL opener, the clock,
// random numbers and the end of the process.
#include "platform/Platform.h"
#include "platform/ProgramInfo.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QTime>

#include <cstdio>
#include <cstdlib>
#include <random>

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

// In a browser page the page opens the web pages and ends the program (web/BrowserPage.cpp).
#ifndef Q_OS_WASM
class QtUrlOpener final : public UrlOpener
{
public:
    void open(const QUrl &address) override { QDesktopServices::openUrl(address); }
};

#endif

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

#ifndef Q_OS_WASM
class QtProcessEnder final : public ProcessEnder
{
public:
    void endProcess() override
    {
        std::fflush(nullptr);
        std::_Exit(EXIT_SUCCESS);
    }
};

#endif

template<class Interface, class Implementation>
Interface &single()
{
    static Implementation implementation;
    return implementation;
}

} // namespace

template<> MessageBoxes &Seam<MessageBoxes>::realImplementation() { return single<MessageBoxes, QtMessageBoxes>(); }
#ifndef Q_OS_WASM
template<> UrlOpener &Seam<UrlOpener>::realImplementation() { return single<UrlOpener, QtUrlOpener>(); }
#endif
template<> Clock &Seam<Clock>::realImplementation() { return single<Clock, QtClock>(); }
template<> RandomSource &Seam<RandomSource>::realImplementation() { return single<RandomSource, QtRandomSource>(); }
#ifndef Q_OS_WASM
template<> ProcessEnder &Seam<ProcessEnder>::realImplementation() { return single<ProcessEnder, QtProcessEnder>(); }
#endif

} // namespace platform
