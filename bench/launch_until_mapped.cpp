// SPDX-License-Identifier: MIT
// Starts a program and reports, in milliseconds, how long it took until its
// first top-level window was mapped on the X server, then ends it and reports
// its peak resident memory in KiB. Usage: launch_until_mapped <program> [args...]
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

bool waitForMap(Display *display, Clock::time_point deadline)
{
    const int fd = ConnectionNumber(display);
    while (Clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect)
                return true;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval tick{0, 1000};
        select(fd + 1, &readable, nullptr, nullptr, &tick);
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s program [args...]\n", argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    // Window managers reparent; without one the program's window is a child of the root.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    const bool mapped = waitForMap(display, start + std::chrono::seconds(20));
    const auto elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();

    usleep(300 * 1000); // let it settle, so the memory peak includes the first paint
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!mapped) {
        std::fprintf(stderr, "no window was mapped\n");
        return 1;
    }
    std::printf("%.2f %ld\n", elapsed, usage.ru_maxrss);
    return 0;
}
