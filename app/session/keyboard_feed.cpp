#include "app/session/keyboard_feed.h"

#include "app/input/actions.h"
#include "app/input/bindings.h"
#include "app/session/playback.h"

namespace {

// The events are in the game's queue as soon as they are pressed, stamped with the tick to run.
class KeyboardFeed : public InputFeed {
public:
    void press(int button, int type) override { postButtonEvent(button, type); }
    bool queueTick(GameState&) override { return true; }
};

KeyboardFeed feed;

// Each button's press or release posts its own event with its own sequence.
void postButtonActions(const Actions& actions) {
    for (int i = 0; i < actions.count; ++i) {
        const Action& action = actions.list[i];
        if (action.type == ActionType::ButtonPress) postButtonEvent(action.button, pressEvent);
        if (action.type == ActionType::ButtonRelease) postButtonEvent(action.button, releaseEvent);
    }
}

}  // namespace

InputFeed& keyboardFeed = feed;

void postButtonEvent(int button, int type) {
    GameState* game = session.game.get();
    if (!game) return;
    ++session.eventSequence;  // 8 bits: wraps from 255 to 0, read as -128 after 127
    InputEvent event;
    event.tick = game->tickCount;
    event.player = playerOfButton(button);
    event.sequence = static_cast<int8_t>(session.eventSequence);
    event.type = type;
    event.button = button;
    if (game->events.insert(event).second) noteInputEvent(event);
}

void gameKeyDown(int key) {
    postButtonActions(keyActions(key, true, InputContext::Game));
}

void gameKeyUp(int key) {
    postButtonActions(keyActions(key, false, InputContext::Game));
}
