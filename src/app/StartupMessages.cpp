// SPDX-License-Identifier: MIT
#include "app/StartupMessages.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

// Qt explains a fatal failure in warnings just before it: the platform plugin
// says which display it could not reach, and the fatal message lists the
// plugins there are. The last few messages are kept for that.
constexpr qsizetype KeptMessages = 8;

// Messages may come from any thread.
std::mutex keptMutex;

QStringList &keptMessages()
{
    static QStringList messages;
    return messages;
}

void writeToStandardError(const QString &text)
{
    std::fprintf(stderr, text.endsWith(QLatin1Char('\n')) ? "%s" : "%s\n", qPrintable(text));
}

void handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const QString formatted = qFormatLogMessage(type, context, message);
    const std::lock_guard<std::mutex> keeping(keptMutex);
    if (type != QtFatalMsg) {
        QStringList &kept = keptMessages();
        kept.append(formatted);
        if (kept.size() > KeptMessages)
            kept.removeFirst();
        return;
    }
    for (const QString &earlier : keptMessages())
        writeToStandardError(earlier);
    writeToStandardError(formatted);
    std::fflush(stderr);
    // Qt aborts once this returns; a failure to start is no crash, and the
    // program's state is no longer fit for exit handlers.
    std::_Exit(EXIT_FAILURE);
}

} // namespace

void installStartupMessageHandler()
{
    qInstallMessageHandler(handleMessage);
}
