#include "app/gamepad.h"

#include "app/input.h"
#include "app/lifecycle.h"
#include "app/menu.h"
#include "app/replay.h"
#include "framework/game_state.h"

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

bool knownPad(int pad) { return pad >= 0 && pad < padCount; }

unsigned held(const PadState& state) { return state.hat | state.stick; }

void directionChanged(int pad, int role, bool pressed) {
    const int button = pad * buttonsPerPlayer + role;
    if (app.inGame) {
        if (!replayActive()) postButtonEvent(button, pressed ? pressEvent : releaseEvent);
    } else if (pressed) {
        menuButtonDown(button);
    }
}

// One press or release per direction whose held state changed, whichever source changed it.
void update(int pad, PadState after) {
    const unsigned before = held(padStates[pad]);
    padStates[pad] = after;
    const unsigned now = held(after);
    for (int role = 0; role < buttonsPerPlayer; ++role) {
        const unsigned bit = 1u << role;
        if ((before ^ now) & bit) directionChanged(pad, role, (now & bit) != 0);
    }
}

unsigned axisBits(int value, unsigned negative, unsigned positive) {
    if (value < -padAxisThreshold) return negative;
    if (value > padAxisThreshold) return positive;
    return 0;
}

}  // namespace

void padAxisMoved(int pad, int axis, int value) {
    if (!knownPad(pad) || (axis != horizontalAxis && axis != verticalAxis)) return;
    const bool horizontal = axis == horizontalAxis;
    const unsigned negative = horizontal ? leftBit : upBit;
    const unsigned positive = horizontal ? rightBit : downBit;
    PadState state = padStates[pad];
    state.stick = (state.stick & ~(negative | positive)) | axisBits(value, negative, positive);
    update(pad, state);
}

// The d-pad: the first hat.
void padHatMoved(int pad, int hat, int value) {
    if (!knownPad(pad) || hat != 0) return;
    PadState state = padStates[pad];
    state.hat = (value & hatUp ? upBit : 0) | (value & hatDown ? downBit : 0) |
                (value & hatLeft ? leftBit : 0) | (value & hatRight ? rightBit : 0);
    update(pad, state);
}

void padButtonDown(int pad, int button) {
    if (!knownPad(pad)) return;
    if (app.inGame) {
        if (button == settings.padLeave[pad]) endGame();
    } else if (button == settings.padChoose[pad]) {
        menuChoose();
    }
}
