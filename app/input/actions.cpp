#include "app/input/actions.h"

#include <SDL_keysym.h>

#include "app/input/bindings.h"

HeldInput heldInput;

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

constexpr int volumeDownKey = SDLK_F9;
constexpr int volumeUpKey = SDLK_F10;
constexpr int fullScreenKey = SDLK_F11;

// True for a press of Print Screen, false for its key repeats: one screenshot per press.
bool freshPrintPress(bool keyDown) {
    bool fresh = keyDown && !heldInput.print;
    heldInput.print = keyDown;
    return fresh;
}

bool isEnter(int key) { return key == SDLK_RETURN || key == SDLK_KP_ENTER; }

// Held for Alt+Enter, so it must not choose on its own.
bool isAlt(int key) { return key == SDLK_LALT || key == SDLK_RALT; }

ActionType volumeAction(int key) {
    if (key == volumeDownKey) return ActionType::VolumeDown;
    return key == volumeUpKey ? ActionType::VolumeUp : ActionType::Mute;
}

// The action of a key that is no player's button and means the same in either context but for
// the pause key, if it has one. A player's key wins over the keys players may set, wherever the
// layout puts it.
bool addCommonKeyAction(Actions& actions, int key, int scancode, bool keyDown, InputContext context,
                        bool alt) {
    const bool playersKey = buttonForKey(key, scancode) >= 0;
    if (key == SDLK_PRINT) {
        if (freshPrintPress(keyDown)) actions.add(ActionType::Screenshot);
    } else if (key == SDLK_ESCAPE) {
        if (keyDown) actions.add(ActionType::Leave);
    } else if (key == fullScreenKey || (alt && isEnter(key))) {
        if (keyDown) actions.add(ActionType::ToggleFullScreen);
    } else if (key == volumeDownKey || key == volumeUpKey || (key == settings.muteKey && !playersKey)) {
        if (keyDown) actions.add(volumeAction(key));
    } else if (key == settings.pauseKey && !playersKey && context == InputContext::Game) {
        if (keyDown) actions.add(ActionType::Pause);
    } else {
        return false;
    }
    return true;
}

// key: the key symbol of a key's press or release, 0 for a pad's.
void addButtonChange(Actions& actions, int button, bool pressed, InputContext context, int key = 0) {
    if (context == InputContext::Game) {
        const unsigned bit = 1u << button;
        heldInput.buttons = pressed ? heldInput.buttons | bit : heldInput.buttons & ~bit;
        heldInput.keys[button] = pressed ? key : 0;
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
    const unsigned before = held(heldInput.pads[pad]);
    heldInput.pads[pad] = after;
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
    PadState state = heldInput.pads[pad];
    state.stick = (state.stick & ~(negative | positive)) | axisBits(value, negative, positive);
    return padChange(pad, state, context);
}

// The d-pad: the first hat.
Actions padHatActions(int pad, int hat, int value, InputContext context) {
    if (!knownPad(pad) || hat != 0) return {};
    PadState state = heldInput.pads[pad];
    state.hat = (value & hatUp ? upBit : 0) | (value & hatDown ? downBit : 0) |
                (value & hatLeft ? leftBit : 0) | (value & hatRight ? rightBit : 0);
    return padChange(pad, state, context);
}

Actions padButtonActions(int pad, int button, InputContext context) {
    Actions actions;
    if (!knownPad(pad)) return actions;
    if (context == InputContext::Game && button == settings.padLeave[pad]) actions.add(ActionType::Leave);
    if (context == InputContext::Game && button == settings.padPause[pad]) actions.add(ActionType::Pause);
    if (context == InputContext::Menu && button == settings.padChoose[pad]) actions.add(ActionType::Choose);
    return actions;
}

}  // namespace

Actions keyActions(int key, int scancode, bool keyDown, InputContext context, bool alt) {
    Actions actions;
    if (addCommonKeyAction(actions, key, scancode, keyDown, context, alt)) return actions;
    if (context == InputContext::Game) {
        // Every button bound to the key, in ascending order.
        for (int button = 0; button < buttonCount; ++button) {
            if (keyBoundTo(button, key, scancode)) addButtonChange(actions, button, keyDown, context, key);
        }
    } else if (keyDown && !isAlt(key)) {
        const int button = buttonForKey(key, scancode);
        if (button < 0) actions.add(ActionType::Choose);
        else addButtonChange(actions, button, true, context);
    }
    return actions;
}

Actions actionsForEvent(const AppEvent& event, InputContext context) {
    switch (event.type) {
    case AppEventType::KeyDown: return keyActions(event.key, event.scancode, true, context, event.alt);
    case AppEventType::KeyUp: return keyActions(event.key, event.scancode, false, context, event.alt);
    case AppEventType::PadAxis: return padAxisActions(event.pad, event.control, event.value, context);
    case AppEventType::PadHat: return padHatActions(event.pad, event.control, event.value, context);
    case AppEventType::PadButtonDown: return padButtonActions(event.pad, event.control, context);
    default: return {};
    }
}

Actions releaseHeldInput(InputContext context) {
    Actions actions;
    for (int button = 0; button < buttonCount; ++button) {
        if (heldInput.buttons & (1u << button)) addButtonChange(actions, button, false, context);
    }
    heldInput = HeldInput{};
    return actions;
}

Actions releaseKeysLetGo(InputContext context) {
    Actions actions;
    for (int button = 0; button < buttonCount; ++button) {
        const int key = heldInput.keys[button];
        if (!(heldInput.buttons & (1u << button)) || key == 0 || platformKeyDown(key)) continue;
        addButtonChange(actions, button, false, context);
        // Forgotten on the menu too, where no release is sent: the key is up.
        heldInput.buttons &= ~(1u << button);
        heldInput.keys[button] = 0;
    }
    return actions;
}
