#pragma once
// Key names as key files and --print-keys write them.
#include <string>

// The names of our key codes, as SDL 1.2's SDL_GetKeyName gave the same keys, so that key files
// written for any version read the same on every platform (a test holds the table to SDL 1.2's
// own names). A placed key is named by its US character here; see keyboard_layout.h for the names
// the player sees.

// The name of a key code; null for a code with no name.
const char* keyName(int key);
// The key code of a name, or -1.
int keyFromName(const std::string& name);
