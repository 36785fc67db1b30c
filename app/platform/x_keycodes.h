#pragma once
// The X keycodes of the placed keys, as the evdev driver numbers them.

// The X keycode of each placed key, in the order of placedCharacters.
extern const int placedKeyXKeycodes[];
// The placed key at an X keycode, or keyNone.
int placedKeyOfXKeycode(int keycode);
