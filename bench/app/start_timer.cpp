// SPDX-License-Identifier: GPL-3.0-or-later
// Times the player's start on an X display: from the moment the process is
// started to the moment its main window ("Velmora") is mapped, or, with
// --handover, until a second instance has handed its file over and ended.
//
//   velmora_start_timer [--handover] <player> [arguments...]
//
// Prints the time in milliseconds. The display is taken from $DISPLAY.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

bool IsMainWindow(Display* display, Window window)
{
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || !name)
        return false;
    const bool match = std::strcmp(name, "Velmora") == 0;
    XFree(name);
    return match;
}

pid_t Launch(char** argv)
{
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[0], argv);
        _exit(127);
    }
    return child;
}

double Milliseconds(Clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const bool handover = argc > 1 && std::strcmp(argv[1], "--handover") == 0;
    char** player = argv + (handover ? 2 : 1);
    if (!*player) {
        std::fprintf(stderr, "usage: %s [--handover] <player> [arguments...]\n", argv[0]);
        return 2;
    }

    if (handover) {
        const auto start = Clock::now();
        int status = 0;
        waitpid(Launch(player), &status, 0);
        std::printf("%.2f\n", Milliseconds(start));
        return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
    }

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t child = Launch(player);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && IsMainWindow(display, event.xmap.window))
            break;
    }
    std::printf("%.2f\n", Milliseconds(start));
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return 0;
}
