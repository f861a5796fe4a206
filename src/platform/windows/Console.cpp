// SPDX-License-Identifier: MIT
#include "platform/Console.h"

#include "platform/ProgramInfo.h"

#include <QString>

#include <cstdio>

#include <windows.h>

namespace platform {
namespace {

bool connected(DWORD stream)
{
    const HANDLE handle = ::GetStdHandle(stream);
    return handle && handle != INVALID_HANDLE_VALUE;
}

// A program built for the windowing subsystem starts without a console. When
// its output is redirected (a pipe, a file) the handles are already there;
// otherwise it borrows the console of the program that started it, if any.
// Says whether the stream now leads somewhere.
bool useParentConsole(DWORD stream)
{
    static bool done = false;
    if (!done) {
        done = true;
        const bool out = connected(STD_OUTPUT_HANDLE);
        const bool err = connected(STD_ERROR_HANDLE);
        if ((!out || !err) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
            if (!out)
                [[maybe_unused]] std::FILE *reopened = std::freopen("CONOUT$", "w", stdout);
            if (!err)
                [[maybe_unused]] std::FILE *reopened = std::freopen("CONOUT$", "w", stderr);
        }
    }
    return connected(stream);
}

} // namespace

void writeToConsole(ConsoleText kind, const QByteArray &text)
{
    const bool answer = kind == ConsoleText::Answer;
    if (useParentConsole(answer ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE)) {
        std::FILE *stream = answer ? stdout : stderr;
        std::fwrite(text.constData(), 1, size_t(text.size()), stream);
        std::fflush(stream);
        return;
    }
    // No console to write to: the system's own message box, which needs no
    // application object and no display connection of Qt's.
    const std::wstring message = QString::fromLocal8Bit(text).trimmed().toStdWString();
    const std::wstring caption = programinfo::ProgramTitle.toStdWString();
    ::MessageBoxW(nullptr, message.c_str(), caption.c_str(),
                  MB_OK | MB_SETFOREGROUND | (answer ? MB_ICONINFORMATION : MB_ICONERROR));
}

} // namespace platform
