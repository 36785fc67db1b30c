#include "app/input/actions.h"

#include "app/input/bindings.h"

HeldInput heldInput;
PadSlots padSlots;

namespace {

// Direction bits, in the order of a player's buttons.
constexpr unsigned upBit = 1u << 0;
constexpr unsigned downBit = 1u << 1;
constexpr unsigned leftBit = 1u << 2;
constexpr unsigned rightBit = 1u << 3;

// What each of a player's buttons (Up, Down, A, B) does on the menu.
constexpr ActionType menuActionOfRole[buttonsPerPlayer] = {ActionType::MenuUp, ActionType::MenuDown,
                                                           ActionType::PreviousGame, ActionType::NextGame};

constexpr int volumeDownKey = keyF9;
constexpr int volumeUpKey = keyF10;
constexpr int fullScreenKey = keyF11;

// True for a press of Print Screen, false for its key repeats: one screenshot per press.
bool freshPrintPress(bool keyDown) {
    bool fresh = keyDown && !heldInput.print;
    heldInput.print = keyDown;
    return fresh;
}

bool isEnter(int key) { return key == keyReturn || key == keyKeypadEnter; }

// Held for Alt+Enter, so it must not choose on its own.
bool isAlt(int key) { return key == keyLeftAlt || key == keyRightAlt; }

ActionType volumeAction(int key) {
    if (key == volumeDownKey) return ActionType::VolumeDown;
    return key == volumeUpKey ? ActionType::VolumeUp : ActionType::Mute;
}

// The action of a key that is no player's button and means the same in either context but for
// the pause key, if it has one. A player's key wins over the keys players may set, wherever the
// layout puts it.
bool addCommonKeyAction(Actions& actions, int key, bool keyDown, InputContext context, bool alt) {
    const bool playersKey = buttonForKey(key) >= 0;
    if (key == keyPrintScreen) {
        if (freshPrintPress(keyDown)) actions.add(ActionType::Screenshot);
    } else if (key == keyEscape) {
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

// key: the key of a key's press or release, keyNone for a pad's.
void addButtonChange(Actions& actions, int button, bool pressed, InputContext context, int key = keyNone) {
    if (context == InputContext::Game) {
        const unsigned bit = 1u << button;
        heldInput.buttons = pressed ? heldInput.buttons | bit : heldInput.buttons & ~bit;
        heldInput.keys[button] = pressed ? key : keyNone;
        actions.add(pressed ? ActionType::ButtonPress : ActionType::ButtonRelease, button);
    } else if (pressed) {
        actions.add(menuActionOfRole[button % buttonsPerPlayer]);
    }
}

// The player a pad plays for, or -1.
int playerOfPad(int pad) {
    for (int player = 0; player < padCount; ++player) {
        if (padSlots.pads[player] == pad) return player;
    }
    return -1;
}

// The player a new pad plays for: one whose pad went, else the first with none; -1 for none.
int playerForNewPad() {
    for (int player = 0; player < padCount; ++player) {
        if (padSlots.lost[player]) return player;
    }
    return playerOfPad(noPad);
}

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

Actions padAxisActions(int player, int axis, int value, InputContext context) {
    if (player < 0 || (axis != padAxisHorizontal && axis != padAxisVertical)) return {};
    const bool horizontal = axis == padAxisHorizontal;
    const unsigned negative = horizontal ? leftBit : upBit;
    const unsigned positive = horizontal ? rightBit : downBit;
    PadState state = heldInput.pads[player];
    state.stick = (state.stick & ~(negative | positive)) | axisBits(value, negative, positive);
    return padChange(player, state, context);
}

// The d-pad: the first hat.
Actions padHatActions(int player, int hat, int value, InputContext context) {
    if (player < 0 || hat != 0) return {};
    PadState state = heldInput.pads[player];
    state.hat = (value & padHatUp ? upBit : 0) | (value & padHatDown ? downBit : 0) |
                (value & padHatLeft ? leftBit : 0) | (value & padHatRight ? rightBit : 0);
    return padChange(player, state, context);
}

Actions padButtonActions(int player, int button, InputContext context) {
    Actions actions;
    if (player < 0) return actions;
    if (context == InputContext::Game && button == settings.padLeave[player]) actions.add(ActionType::Leave);
    if (context == InputContext::Game && button == settings.padPause[player]) actions.add(ActionType::Pause);
    if (context == InputContext::Menu && button == settings.padChoose[player])
        actions.add(ActionType::Choose);
    return actions;
}

Actions padAddedActions(int pad) {
    Actions actions;
    const int player = playerForNewPad();
    if (player < 0 || playerOfPad(pad) >= 0) return actions;
    padSlots.pads[player] = pad;
    padSlots.lost[player] = false;
    actions.add(ActionType::PadPluggedIn, player);
    return actions;
}

// What the pad held is let go with it.
Actions padRemovedActions(int pad, InputContext context) {
    const int player = playerOfPad(pad);
    if (player < 0) return {};
    Actions actions = padChange(player, PadState{}, context);
    padSlots.pads[player] = noPad;
    padSlots.lost[player] = true;
    actions.add(ActionType::PadUnplugged, player);
    return actions;
}

}  // namespace

Actions keyActions(int key, bool keyDown, InputContext context, bool alt) {
    Actions actions;
    if (addCommonKeyAction(actions, key, keyDown, context, alt)) return actions;
    if (context == InputContext::Game) {
        // Every button bound to the key, in ascending order.
        for (int button = 0; button < buttonCount; ++button) {
            if (keyBoundTo(button, key)) addButtonChange(actions, button, keyDown, context, key);
        }
    } else if (keyDown && !isAlt(key)) {
        const int button = buttonForKey(key);
        if (button < 0) actions.add(ActionType::Choose);
        else addButtonChange(actions, button, true, context);
    }
    return actions;
}

Actions actionsForEvent(const AppEvent& event, InputContext context) {
    switch (event.type) {
    case AppEventType::KeyDown: return keyActions(event.key, true, context, event.alt);
    case AppEventType::KeyUp: return keyActions(event.key, false, context, event.alt);
    case AppEventType::PadAdded: return padAddedActions(event.pad);
    case AppEventType::PadRemoved: return padRemovedActions(event.pad, context);
    case AppEventType::PadAxis:
        return padAxisActions(playerOfPad(event.pad), event.control, event.value, context);
    case AppEventType::PadHat:
        return padHatActions(playerOfPad(event.pad), event.control, event.value, context);
    case AppEventType::PadButtonDown: return padButtonActions(playerOfPad(event.pad), event.control, context);
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
        if (!(heldInput.buttons & (1u << button)) || key == keyNone || platformKeyDown(key)) continue;
        addButtonChange(actions, button, false, context);
        // Forgotten on the menu too, where no release is sent: the key is up.
        heldInput.buttons &= ~(1u << button);
        heldInput.keys[button] = keyNone;
    }
    return actions;
}

int defaultPadPause() { return platformNamesPadButtons() ? padStart : defaultPadPauseNumber; }
