// SPDX-License-Identifier: MIT
// The start-up clock on Windows: starts a program and prints the milliseconds
// from its creation until the first visible top-level window of its own
// appears, then ends it. Run under wine, both the program and the yardstick
// are timed the same way, inside the same wine server.
//   launch_until_shown <program.exe> [arguments...]
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search
{
    DWORD process;
    bool found = false;
};

BOOL CALLBACK findShown(HWND window, LPARAM search)
{
    auto *wanted = reinterpret_cast<Search *>(search);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == wanted->process && ::IsWindowVisible(window) && !::GetWindow(window, GW_OWNER)) {
        wanted->found = true;
        return FALSE;
    }
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t *argv[])
{
    if (argc < 2)
        return 2;
    std::wstring commandLine;
    for (int i = 1; i < argc; ++i)
        commandLine += (i > 1 ? L" \"" : L"\"") + std::wstring(argv[i]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    LARGE_INTEGER frequency, start, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started))
        return 1;
    Search search{started.dwProcessId};
    const ULONGLONG deadline = ::GetTickCount64() + 30000;
    while (!search.found && ::GetTickCount64() < deadline
           && ::WaitForSingleObject(started.hProcess, 0) == WAIT_TIMEOUT) {
        ::EnumWindows(findShown, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            ::Sleep(0);
    }
    ::QueryPerformanceCounter(&now);
    ::TerminateProcess(started.hProcess, 0);
    ::WaitForSingleObject(started.hProcess, 10000);
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    if (!search.found)
        return 1;
    std::printf("%.2f\n", double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart));
    return 0;
}
