#pragma once
// Key names as key files and --print-keys write them.
#include <string>

// The names SDL 1.2's SDL_GetKeyName gives the key symbols, kept here so that key files can be
// read and written without starting SDL (a test holds the table to the library's own names).

// The name of a key symbol; null for a symbol SDL leaves unnamed.
const char* keyName(int key);
// The key symbol of a name, or -1.
int keyFromName(const std::string& name);
