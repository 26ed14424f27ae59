// Times a GUI program from its start to the first paint of its window, as a
// user waits for it: the X server reports the first drawing (XDamage) into a
// window the program has mapped. Each run starts with empty settings and
// data folders, so every run is a first start.
//
//   numera-first-paint [--runs N] -- PROGRAM [ARGS...]
//
// Prints one line per run (milliseconds to the map and to the first paint)
// and the medians. Needs an X server with the DAMAGE extension (Xvfb has it).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Windows of an ended program go with their damage objects; the errors that
// follow from destroying them again are expected.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The process that owns a window, from the _NET_WM_PID its toolkit sets; 0
// for the window manager's frames and other windows without it.
long WindowPid(Display* display, Window window) {
    static const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long pid = 0;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data && count == 1 && format == 32)
        pid = *reinterpret_cast<long*>(data);
    if (data) XFree(data);
    return pid;
}

struct Run {
    double mapped = -1;
    double painted = -1;
};

// One start of the program under fresh settings; ends it once it painted.
Run TimeOneStart(Display* display, int damageEvent, char** argv, double timeoutMs) {
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);

    char folder[] = "/tmp/numera-first-paint-XXXXXX";
    if (!mkdtemp(folder)) return {};
    const std::string home = folder;

    Run run;
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
        setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
        execvp(argv[0], argv);
        _exit(127);
    }

    std::set<Window> mapped;
    std::vector<Damage> damages;
    while (run.painted < 0 && Milliseconds(start, Clock::now()) < timeoutMs) {
        if (!XPending(display)) {
            usleep(200);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        const Clock::time_point now = Clock::now();
        if (event.type == CreateNotify) {
            // Watch every new top-level window for its map and its drawing.
            const Window window = event.xcreatewindow.window;
            XSelectInput(display, window, StructureNotifyMask);
            damages.push_back(XDamageCreate(display, window, XDamageReportNonEmpty));
        } else if (event.type == MapNotify) {
            // Only the program's own windows count, not the window manager's frames.
            if (WindowPid(display, event.xmap.window) != child) continue;
            mapped.insert(event.xmap.window);
            if (run.mapped < 0) run.mapped = Milliseconds(start, now);
        } else if (event.type == damageEvent + XDamageNotify) {
            const auto* damage = reinterpret_cast<const XDamageNotifyEvent*>(&event);
            if (mapped.count(damage->drawable) && damage->area.width > 1 && damage->area.height > 1)
                run.painted = Milliseconds(start, now);
        }
    }

    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    for (const Damage damage : damages) XDamageDestroy(display, damage);
    XSelectInput(display, root, NoEventMask);
    XSync(display, True);
    std::filesystem::remove_all(home);
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 6;
    int first = 1;
    for (; first < argc; ++first) {
        if (std::strcmp(argv[first], "--runs") == 0 && first + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++first]));
        } else if (std::strcmp(argv[first], "--") == 0) {
            ++first;
            break;
        } else {
            break;
        }
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: %s [--runs N] -- PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    int damageEvent = 0;
    int damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 2;
    }

    std::vector<double> maps;
    std::vector<double> paints;
    for (int i = 0; i < runs; ++i) {
        const Run run = TimeOneStart(display, damageEvent, argv + first, 20000);
        std::printf("run %d: mapped %.0f ms, first paint %.0f ms\n", i + 1, run.mapped,
                    run.painted);
        if (run.painted >= 0) {
            maps.push_back(run.mapped);
            paints.push_back(run.painted);
        }
        // Let the window manager and the server settle between runs.
        usleep(300 * 1000);
    }
    std::printf("%s: median mapped %.0f ms, median first paint %.0f ms (%zu of %d runs)\n",
                argv[first], Median(maps), Median(paints), paints.size(), runs);
    XCloseDisplay(display);
    return paints.size() == static_cast<size_t>(runs) ? 0 : 1;
}
