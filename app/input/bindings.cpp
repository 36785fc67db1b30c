#include "app/input/bindings.h"

#include <SDL_keysym.h>

#include "app/saved/settings.h"

// A key placed by position is matched by its keycode wherever SDL reports one.
bool keyBoundTo(int button, int key, int scancode) {
    const int position = settings.keyScancodes[button];
    if (position != 0 && scancode != 0) return position == scancode;
    return settings.keyBindings[button] == key;
}

const int defaultPauseKey = SDLK_p;
const int defaultMuteKey = SDLK_m;
const int defaultKeyBindings[buttonCount] = {SDLK_w,  SDLK_s,    SDLK_a,    SDLK_d,
                                             SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT};
const int defaultKeyScancodes[buttonCount] = {25, 39, 38, 40, 0, 0, 0, 0};

int buttonForKey(int key, int scancode) {
    for (int button = 0; button < buttonCount; ++button) {
        if (keyBoundTo(button, key, scancode)) return button;
    }
    return -1;
}

int playerOfButton(int button) { return button < buttonsPerPlayer ? 0 : 1; }
