#include "toolkit/TaCompositing.h"

#include <QtGui/qtguiglobal.h>

#include <QGuiApplication>
#include <QString>

// The X11 query needs both the X library and a Qt built with its X11 backend.
#if defined(NUMERA_HAVE_X11) && QT_CONFIG(xcb)
#define NUMERA_QUERY_X11 1
#include <X11/Xlib.h>
#endif

namespace {
int compositingOverride = -1;

#if defined(NUMERA_QUERY_X11)
// A compositing manager owns the selection _NET_WM_CM_S<screen>.
bool X11CompositingActive() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr) return false;
    Display* display = x11->display();
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.constData(), False);
    return XGetSelectionOwner(display, selection) != None;
}
#endif
}  // namespace

void TaSetCompositingOverride(int value) { compositingOverride = value; }

bool TaCompositingActive() {
    if (compositingOverride >= 0) return compositingOverride != 0;
    if (qGuiApp == nullptr) return true;
#if defined(NUMERA_QUERY_X11)
    if (QGuiApplication::platformName() == QLatin1String("xcb")) return X11CompositingActive();
#endif
    // Windows, Wayland and the off-screen platform all blend alpha.
    return true;
}
