#pragma once
#include "framework/game_state.h"  // buttonCount

// Default key of each button: player 1's Up, Down, A, B, then player 2's.
extern const int defaultKeyBindings[buttonCount];

// The lowest button bound to key, or -1.
int buttonForKey(int key);
int playerOfButton(int button);
// Post a press or release event into the running game for every button bound to key.
void gameKeyDown(int key);
void gameKeyUp(int key);
