#pragma once
// SDL 2's keys in tandrel's codes (app/platform/key_codes.h): pure functions of one table.

// Our code of the key at an SDL_Scancode: the main block's character keys by their place, the
// named keys by what they are; keyNone for a scancode we have no code for.
int keyOfScancode(int scancode);
// The SDL_Scancode of our code, SDL_SCANCODE_UNKNOWN (0) for a code no scancode stands for.
int scancodeOfKey(int key);
