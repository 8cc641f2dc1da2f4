#include "host/shell/keyboard_state.h"

#include <QGuiApplication>

#if QUENBY_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace quenby::shell {

#if QUENBY_HAVE_X11
namespace {

std::optional<bool> Indicator(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None) return std::nullopt;
    int index = 0;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, &index, &on, nullptr, nullptr)) return std::nullopt;
    return on == True;
}

}  // namespace

KeyStates ReadKeyStates() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return {};
    return {Indicator(display, "Caps Lock"), Indicator(display, "Num Lock"), Indicator(display, "Kana")};
}

#else

KeyStates ReadKeyStates() { return {}; }

#endif

}  // namespace quenby::shell
