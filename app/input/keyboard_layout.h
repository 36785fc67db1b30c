#pragma once
// Keys as the player sees them: what the keyboard's layout types on them.
#include <string>

#include "app/platform/key_codes.h"

// The layout in force. Owned by the key bindings: taken from the platform by loadControls(),
// before a key file is read; US (every placed key types its own character) until then.
extern KeyboardLayout keyboardLayout;

// What the key types on the layout in force: the layout's character on a placed key, where it
// has a name; else the key itself.
int typedCharacter(int key);
// The key that types `character` (a key code of a character) on the layout in force: the placed
// key that types it, else the key known by the character itself.
int keyTyping(int character);
// The key's name as the player sees it; null for a key with no name.
const char* layoutKeyName(int key);
// The key of a name as the player sees it, or -1.
int keyOfLayoutName(const std::string& name);
