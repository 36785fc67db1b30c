#include "app/input.h"

#include <SDL_keysym.h>

#include "app/app_state.h"
#include "app/replay.h"
#include "framework/game_state.h"

namespace {


// Every button bound to key, in ascending order, posts its own event with its own sequence.
void postKeyEvent(int key, int type) {
    GameState* game = app.currentGame.get();
    if (!game) return;
    for (int button = 0; button < buttonCount; ++button) {
        if (settings.keyBindings[button] != key) continue;
        ++app.eventSequence;  // 8 bits: wraps from 255 to 0, read as -128 after 127
        InputEvent event;
        event.tick = game->tickCount;
        event.player = playerOfButton(button);
        event.sequence = static_cast<int8_t>(app.eventSequence);
        event.type = type;
        event.button = button;
        if (game->events.insert(event).second) noteInputEvent(event);
    }
}

}  // namespace

const int defaultKeyBindings[buttonCount] = {SDLK_w,  SDLK_s,    SDLK_a,    SDLK_d,
                                             SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT};

int buttonForKey(int key) {
    for (int button = 0; button < buttonCount; ++button) {
        if (settings.keyBindings[button] == key) return button;
    }
    return -1;
}

int playerOfButton(int button) { return button < buttonsPerPlayer ? 0 : 1; }

void gameKeyDown(int key) { postKeyEvent(key, pressEvent); }

void gameKeyUp(int key) { postKeyEvent(key, releaseEvent); }
