#include "app/actions.h"

#include <SDL_keysym.h>

#include "app/input.h"

PadState padStates[padCount];

namespace {

// Direction bits, in the order of a player's buttons.
constexpr unsigned upBit = 1u << 0;
constexpr unsigned downBit = 1u << 1;
constexpr unsigned leftBit = 1u << 2;
constexpr unsigned rightBit = 1u << 3;

// SDL 1.2's hat bits.
constexpr int hatUp = 0x01;
constexpr int hatRight = 0x02;
constexpr int hatDown = 0x04;
constexpr int hatLeft = 0x08;

constexpr int horizontalAxis = 0;  // negative is left
constexpr int verticalAxis = 1;    // negative is up

// What each of a player's buttons (Up, Down, A, B) does on the menu.
constexpr ActionType menuActionOfRole[buttonsPerPlayer] = {ActionType::MenuUp, ActionType::MenuDown,
                                                           ActionType::PreviousGame, ActionType::NextGame};

// True for a press of Print Screen, false for its key repeats: one screenshot per press.
bool freshPrintPress(bool keyDown) {
    bool fresh = keyDown && !app.printHeld;
    app.printHeld = keyDown;
    return fresh;
}

void addButtonChange(Actions& actions, int button, bool pressed, InputContext context) {
    if (context == InputContext::Game) {
        actions.add(pressed ? ActionType::ButtonPress : ActionType::ButtonRelease, button);
    } else if (pressed) {
        actions.add(menuActionOfRole[button % buttonsPerPlayer]);
    }
}

bool knownPad(int pad) { return pad >= 0 && pad < padCount; }

unsigned held(const PadState& state) { return state.hat | state.stick; }

// One press or release per direction whose held state changed, whichever source changed it.
Actions padChange(int pad, PadState after, InputContext context) {
    Actions actions;
    const unsigned before = held(padStates[pad]);
    padStates[pad] = after;
    const unsigned now = held(after);
    for (int role = 0; role < buttonsPerPlayer; ++role) {
        const unsigned bit = 1u << role;
        if ((before ^ now) & bit)
            addButtonChange(actions, pad * buttonsPerPlayer + role, (now & bit) != 0, context);
    }
    return actions;
}

unsigned axisBits(int value, unsigned negative, unsigned positive) {
    if (value < -padAxisThreshold) return negative;
    if (value > padAxisThreshold) return positive;
    return 0;
}

Actions padAxisActions(int pad, int axis, int value, InputContext context) {
    if (!knownPad(pad) || (axis != horizontalAxis && axis != verticalAxis)) return {};
    const bool horizontal = axis == horizontalAxis;
    const unsigned negative = horizontal ? leftBit : upBit;
    const unsigned positive = horizontal ? rightBit : downBit;
    PadState state = padStates[pad];
    state.stick = (state.stick & ~(negative | positive)) | axisBits(value, negative, positive);
    return padChange(pad, state, context);
}

// The d-pad: the first hat.
Actions padHatActions(int pad, int hat, int value, InputContext context) {
    if (!knownPad(pad) || hat != 0) return {};
    PadState state = padStates[pad];
    state.hat = (value & hatUp ? upBit : 0) | (value & hatDown ? downBit : 0) |
                (value & hatLeft ? leftBit : 0) | (value & hatRight ? rightBit : 0);
    return padChange(pad, state, context);
}

Actions padButtonActions(int pad, int button, InputContext context) {
    Actions actions;
    if (!knownPad(pad)) return actions;
    if (context == InputContext::Game && button == settings.padLeave[pad]) actions.add(ActionType::Leave);
    if (context == InputContext::Menu && button == settings.padChoose[pad]) actions.add(ActionType::Choose);
    return actions;
}

}  // namespace

Actions keyActions(int key, int scancode, bool keyDown, InputContext context) {
    Actions actions;
    if (key == SDLK_PRINT) {
        if (freshPrintPress(keyDown)) actions.add(ActionType::Screenshot);
    } else if (key == SDLK_ESCAPE) {
        if (keyDown) actions.add(ActionType::Leave);
    } else if (context == InputContext::Game) {
        // Every button bound to the key, in ascending order.
        for (int button = 0; button < buttonCount; ++button) {
            if (keyBoundTo(button, key, scancode)) addButtonChange(actions, button, keyDown, context);
        }
    } else if (keyDown) {
        const int button = buttonForKey(key, scancode);
        if (button < 0) actions.add(ActionType::Choose);
        else addButtonChange(actions, button, true, context);
    }
    return actions;
}

Actions actionsForEvent(const AppEvent& event, InputContext context) {
    switch (event.type) {
    case AppEventType::KeyDown: return keyActions(event.key, event.scancode, true, context);
    case AppEventType::KeyUp: return keyActions(event.key, event.scancode, false, context);
    case AppEventType::PadAxis: return padAxisActions(event.pad, event.control, event.value, context);
    case AppEventType::PadHat: return padHatActions(event.pad, event.control, event.value, context);
    case AppEventType::PadButtonDown: return padButtonActions(event.pad, event.control, context);
    default: return {};
    }
}
