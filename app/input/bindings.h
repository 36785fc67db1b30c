#pragma once
// The players' keys: their defaults and which button a key is bound to.
#include "framework/game_state.h"  // buttonCount

// Default key of each button: player 1's Up, Down, A, B, then player 2's.
extern const int defaultKeyBindings[buttonCount];
// The X keycodes of player 1's default keys, where a QWERTY keyboard has w, s, a, d: the
// cross stays in place whatever the layout prints on it. 0: matched by symbol.
extern const int defaultKeyScancodes[buttonCount];

// Default keys of the actions players may set besides their buttons.
extern const int defaultPauseKey;
extern const int defaultMuteKey;

// Whether the key is bound to the button. scancode is the X keycode SDL reported, or 0.
bool keyBoundTo(int button, int key, int scancode);
// The lowest button bound to the key, or -1.
int buttonForKey(int key, int scancode = 0);
int playerOfButton(int button);
