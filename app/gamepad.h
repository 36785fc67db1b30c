#pragma once
#include "app/app_state.h"

constexpr int defaultPadChoose = 0;      // pad button that chooses a menu item
constexpr int defaultPadLeave = 1;       // pad button that leaves a game, as Escape does
constexpr int padAxisThreshold = 13107;  // 40 % of an axis's range: beyond it, a direction is held

// The directions a pad holds, one bit per button of its player (Up, Down, A, B), from each of
// its two sources, so that a hat and a stick held together press and release once.
struct PadState {
    unsigned hat = 0;
    unsigned stick = 0;
};

// Owned by the pad translation, written as pad events arrive on the main thread; zero at
// start-up and never reset: a direction held across a game's start is released into it.
extern PadState padStates[padCount];

// Pad events as the platform reports them; the pad number is its player's index. Directions
// become button presses and releases in a game and cursor moves on the menu.
void padAxisMoved(int pad, int axis, int value);
void padHatMoved(int pad, int hat, int value);
void padButtonDown(int pad, int button);
