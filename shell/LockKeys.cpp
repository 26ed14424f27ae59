#include "shell/LockKeys.h"

#include <QGuiApplication>

#ifdef Q_OS_WIN
#include <windows.h>
#elif defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include <dlfcn.h>
#endif

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
namespace {

// libX11 is loaded at run time so the program builds without its headers.
using XkbGetIndicatorStateFn = int (*)(void* display, unsigned int deviceSpec, unsigned int* state);
using XOpenDisplayFn = void* (*)(const char* name);

struct X11Lock {
    void* display = nullptr;
    XkbGetIndicatorStateFn getState = nullptr;
};

X11Lock& X11() {
    static X11Lock lock = [] {
        X11Lock made;
        if (QGuiApplication::platformName() != QLatin1String("xcb")) return made;
        void* library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
        if (library == nullptr) return made;
        auto open = reinterpret_cast<XOpenDisplayFn>(dlsym(library, "XOpenDisplay"));
        made.getState =
            reinterpret_cast<XkbGetIndicatorStateFn>(dlsym(library, "XkbGetIndicatorState"));
        if (open == nullptr || made.getState == nullptr) return made;
        made.display = open(nullptr);
        return made;
    }();
    return lock;
}

}  // namespace
#endif

bool QueryLockKeys(bool& caps, bool& num) {
    caps = false;
    num = false;
#ifdef Q_OS_WIN
    caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
    num = (GetKeyState(VK_NUMLOCK) & 1) != 0;
    return true;
#elif defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    X11Lock& x = X11();
    if (x.display == nullptr) return false;
    unsigned int state = 0;
    const unsigned int kUseCoreKeyboard = 0x0100;
    if (x.getState(x.display, kUseCoreKeyboard, &state) != 0) return false;
    // Indicator 1 is Caps Lock, 2 Num Lock in the standard keyboard map.
    caps = (state & 0x1) != 0;
    num = (state & 0x2) != 0;
    return true;
#else
    return false;
#endif
}
