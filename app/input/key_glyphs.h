#pragma once
// The keys as the menu shows them, in the glyphs of our font.
#include <string>

#include "framework/key_labels.h"

// A key as the menu shows it: an arrow glyph for the arrow keys, a character that has a glyph
// as itself, anything else spelled out by name; as the layout in force types it.
std::string keyLabel(int key);
// The labels of the keys bound in settings.
KeyLabels keyLabels();

// The labels the menu shows, made from the bindings whenever they are set (restoreSettings(),
// loadControls()) rather than on every drawn frame.
extern KeyLabels keyLabelsInForce;
void refreshKeyLabels();
