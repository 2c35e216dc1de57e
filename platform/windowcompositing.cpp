#include "platform/windowcompositing.h"

#include <QGuiApplication>

#ifdef NIMBARA_HAVE_X11
#include <X11/Xlib.h>

#include <string>
#endif

namespace nimbara {

namespace {

#ifdef NIMBARA_HAVE_X11
bool x11CompositingManagerRuns() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr) {
        return false;
    }
    const std::string selection = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display));
    const Atom atom = XInternAtom(display, selection.c_str(), False);
    return atom != None && XGetSelectionOwner(display, atom) != None;
}
#else
bool x11CompositingManagerRuns() {
    return false;
}
#endif

}  // namespace

bool windowSystemComposites() {
    const QString platform = QGuiApplication::platformName();
    if (platform == "xcb") {
        return x11CompositingManagerRuns();
    }
    return platform == "windows" || platform == "cocoa";
}

}  // namespace nimbara
