#include "platform/lockkeys.h"

#include <QGuiApplication>

#ifdef NIMBARA_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace nimbara {

#ifdef NIMBARA_HAVE_X11
namespace {

bool indicatorOn(Display* display, const char* name) {
    Bool on = False;
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) {
        return false;
    }
    return on == True;
}

}  // namespace

std::optional<LockKeyStates> readLockKeyStates() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr) {
        return std::nullopt;
    }
    return LockKeyStates{indicatorOn(display, "Caps Lock"), indicatorOn(display, "Num Lock"),
                         indicatorOn(display, "Scroll Lock")};
}

#else

std::optional<LockKeyStates> readLockKeyStates() {
    return std::nullopt;
}

#endif

}  // namespace nimbara
