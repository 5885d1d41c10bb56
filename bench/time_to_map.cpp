// Starts a program and times it from the fork to the moment the X server maps its window of a
// given title; then reports the program's peak resident memory and ends it.
//
//   time_to_map TITLE PROGRAM [ARGUMENT...]
//
// Prints one line: milliseconds to the map, the peak resident set (VmHWM) in KiB, and the
// milliseconds the program's threads had run on a processor by the map, which other work on
// the machine disturbs far less than the time to the map.
// The display is that of DISPLAY; without a window manager a top-level window is mapped as
// the program asks, and the root window reports it to every client that listens.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// The peak resident set is read this long after the map, once the first paint is done.
constexpr std::chrono::milliseconds kSettleTime{500};
constexpr int kDisplayAttempts = 40;
constexpr std::chrono::milliseconds kDisplayRetryInterval{50};

// A window's title, from _NET_WM_NAME or else WM_NAME, whatever their encoding.
std::string title_of(Display* display, Window window) {
    for (const char* property_name : {"_NET_WM_NAME", "WM_NAME"}) {
        const Atom property = XInternAtom(display, property_name, False);
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        const int status = XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type,
                                              &format, &count, &remaining, &data);
        std::string title;
        if (status == Success && data != nullptr && format == 8) {
            title.assign(reinterpret_cast<const char*>(data), count);
        }
        if (data != nullptr) {
            XFree(data);
        }
        if (!title.empty()) {
            return title;
        }
    }
    return {};
}

// VmHWM of a running process, KiB; 0 if it cannot be read.
long peak_resident_kib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    constexpr std::string_view kField = "VmHWM:";
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(kField)) {
            return std::strtol(line.c_str() + kField.size(), nullptr, 10);
        }
    }
    return 0;
}

// Time that all threads of a running process have spent on a processor, from the scheduler's
// statistics, nanoseconds.
long long processor_time_ns(pid_t pid) {
    long long total = 0;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        long long on_processor = 0;
        if (schedstat >> on_processor) {
            total += on_processor;
        }
    }
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    const std::string_view wanted_title = argv[1];
    // A display server just started may take a moment to accept its first client.
    Display* display = XOpenDisplay(nullptr);
    for (int attempt = 1; display == nullptr && attempt < kDisplayAttempts; ++attempt) {
        std::this_thread::sleep_for(kDisplayRetryInterval);
        display = XOpenDisplay(nullptr);
    }
    if (display == nullptr) {
        std::fprintf(stderr, "time_to_map: cannot open the display\n");
        return 1;
    }
    // Listening before the fork, so that no map can come before it.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[2], &argv[2]);
        std::perror("time_to_map: exec");
        _exit(127);
    }

    XEvent event;
    for (;;) {
        XNextEvent(display, &event);
        if (event.type == MapNotify && title_of(display, event.xmap.window) == wanted_title) {
            break;
        }
    }
    const std::chrono::duration<double, std::milli> to_map = std::chrono::steady_clock::now() - start;
    const std::chrono::duration<double, std::milli> processor_time = std::chrono::nanoseconds(processor_time_ns(child));

    std::this_thread::sleep_for(kSettleTime);
    const long peak_kib = peak_resident_kib(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);

    std::printf("%.2f %ld %.2f\n", to_map.count(), peak_kib, processor_time.count());
    return 0;
}
