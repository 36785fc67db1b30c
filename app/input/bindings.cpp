#include "app/input/bindings.h"

#include <SDL_keysym.h>

#include "app/input/actions.h"
#include "app/window/app_state.h"
#include "app/session/playback.h"
#include "framework/game_state.h"

namespace {

// Each button's press or release posts its own event with its own sequence.
void postButtonActions(const Actions& actions) {
    for (int i = 0; i < actions.count; ++i) {
        const Action& action = actions.list[i];
        if (action.type == ActionType::ButtonPress) postButtonEvent(action.button, pressEvent);
        if (action.type == ActionType::ButtonRelease) postButtonEvent(action.button, releaseEvent);
    }
}

}  // namespace

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

void gameKeyDown(int key, int scancode) {
    postButtonActions(keyActions(key, scancode, true, InputContext::Game));
}

void gameKeyUp(int key, int scancode) {
    postButtonActions(keyActions(key, scancode, false, InputContext::Game));
}

void postButtonEvent(int button, int type) {
    GameState* game = app.currentGame.get();
    if (!game) return;
    ++app.eventSequence;  // 8 bits: wraps from 255 to 0, read as -128 after 127
    InputEvent event;
    event.tick = game->tickCount;
    event.player = playerOfButton(button);
    event.sequence = static_cast<int8_t>(app.eventSequence);
    event.type = type;
    event.button = button;
    if (game->events.insert(event).second) noteInputEvent(event);
}
