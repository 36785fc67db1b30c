#pragma once

constexpr int buttonsPerPlayer = 4;  // Up, Down, A, B

// Default key of each button: player 1's Up, Down, A, B, then player 2's.
extern const int defaultKeyBindings[8];

// The lowest button bound to key, or -1.
int buttonForKey(int key);
int playerOfButton(int button);
// Post a press or release event into the running game for every button bound to key.
void gameKeyDown(int key);
void gameKeyUp(int key);
