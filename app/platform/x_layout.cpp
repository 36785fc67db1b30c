// The keyboard layout as X has it, on every platform.
#include <X11/XKBlib.h>

#include "app/platform/platform.h"
#include "app/platform/x_keycodes.h"
#include "graphics/sdl_x11.h"

namespace {

int latin1(KeySym keysym) {
    bool printable = (keysym >= 0x20 && keysym <= 0x7e) || (keysym >= 0xa0 && keysym <= 0xff);
    return printable ? static_cast<int>(keysym) : 0;
}

}  // namespace

KeyboardLayout platformKeyboardLayout() {
    KeyboardLayout layout;
    Display* display = sdlDisplay();
    // Before SDL starts (printing the bindings), a connection of our own, if there is a display.
    Display* own = display ? nullptr : XOpenDisplay(nullptr);
    if (!display) display = own;
    if (!display) return layout;
    for (int i = 0; i < placedKeyCount; ++i) {
        const auto keycode = static_cast<KeyCode>(placedKeyXKeycodes[i]);
        layout.characters[i] = latin1(XkbKeycodeToKeysym(display, keycode, 0, 0));
    }
    if (own) XCloseDisplay(own);
    return layout;
}
