#pragma once
#include <string>

#include "framework/key_labels.h"

// A key as the menu shows it: an arrow glyph for the arrow keys, a character that has a glyph
// as itself, anything else spelled out by name.
std::string keyLabel(int key);
// The labels of the keys bound in settings.
KeyLabels keyLabels();
