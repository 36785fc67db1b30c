// The keyboard layout as X has it, on every platform.
#include <X11/XKBlib.h>

#include "app/platform/platform.h"
#include "app/platform/x_keycodes.h"
#include "graphics/sdl_x11.h"

const int placedKeyXKeycodes[placedKeyCount] = {
    49,                                                  // `
    10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,      // 1 to 0, - and =
    24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 51,  // q to ], and backslash
    38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48,          // a to '
    52, 53, 54, 55, 56, 57, 58, 59, 60, 61,              // z to /
    94,                                                  // the ISO key beside left Shift
};

int placedKeyOfXKeycode(int keycode) {
    for (int i = 0; i < placedKeyCount; ++i) {
        if (placedKeyXKeycodes[i] == keycode) return static_cast<unsigned char>(placedCharacters[i]);
    }
    return keyNone;
}

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
