// SPDX-License-Identifier: MIT
// Waits for a message box with the given caption, prints its text and the
// names of its buttons, then presses its first button. Run under wine beside
// the program that shows the box; ends with status 1 when no box comes in time.
//   read_message_box <caption> <seconds>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search
{
    std::wstring caption;
    HWND box = nullptr;
};

std::wstring textOf(HWND window)
{
    std::wstring text(size_t(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(::GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

std::wstring classOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

BOOL CALLBACK findBox(HWND window, LPARAM search)
{
    auto *wanted = reinterpret_cast<Search *>(search);
    if (::IsWindowVisible(window) && classOf(window) == L"#32770" && textOf(window) == wanted->caption) {
        wanted->box = window;
        return FALSE;
    }
    return TRUE;
}

struct Contents
{
    std::wstring text;
    std::wstring buttons;
    HWND firstButton = nullptr;
};

BOOL CALLBACK readControl(HWND control, LPARAM contents)
{
    auto *read = reinterpret_cast<Contents *>(contents);
    const std::wstring kind = classOf(control);
    const std::wstring text = textOf(control);
    if (kind == L"Static" && !text.empty()) {
        read->text += text;
    } else if (kind == L"Button") {
        read->buttons += (read->buttons.empty() ? L"" : L" ") + text;
        if (!read->firstButton)
            read->firstButton = control;
    }
    return TRUE;
}

void print(const std::wstring &text)
{
    std::wstring lines;
    for (wchar_t c : text) {
        if (c != L'\r')
            lines += c;
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, lines.c_str(), int(lines.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(size_t(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, lines.c_str(), int(lines.size()), utf8.data(), size, nullptr, nullptr);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fputc('\n', stdout);
}

} // namespace

int wmain(int argc, wchar_t *argv[])
{
    if (argc != 3)
        return 2;
    Search search{argv[1]};
    const ULONGLONG deadline = ::GetTickCount64() + ULONGLONG(std::wcstoul(argv[2], nullptr, 10)) * 1000;
    while (!search.box && ::GetTickCount64() < deadline) {
        ::EnumWindows(findBox, reinterpret_cast<LPARAM>(&search));
        if (!search.box)
            ::Sleep(100);
    }
    if (!search.box)
        return 1;
    Contents contents;
    ::EnumChildWindows(search.box, readControl, reinterpret_cast<LPARAM>(&contents));
    print(contents.text);
    print(L"[" + contents.buttons + L"]");
    std::fflush(stdout);
    if (contents.firstButton)
        ::SendMessageW(contents.firstButton, BM_CLICK, 0, 0);
    return 0;
}
