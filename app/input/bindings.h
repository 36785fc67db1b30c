#pragma once
// The players' keys: their defaults and which button a key is bound to.
#include "framework/game_state.h"  // buttonCount

// Default key of each button: player 1's Up, Down, A, B, then player 2's. Player 1's are the
// places of w, s, a and d, which type other letters on other layouts (z, s, q, d on a French one).
extern const int defaultKeyBindings[buttonCount];

// The characters of the default keys of the actions players may set besides their buttons,
// found on the keyboard by what its layout types: the key that types p pauses.
extern const int defaultPauseCharacter;
extern const int defaultMuteCharacter;

bool keyBoundTo(int button, int key);
// The lowest button bound to the key, or -1.
int buttonForKey(int key);
int playerOfButton(int button);
