#pragma once
#include "framework/key_labels.h"

// A player's keys, then what they do; the keys in the order of the line.
struct KeyLine {
    int player;
    int buttons[4];  // Up, Down, A, B numbered 0 to 3
    const char* text;
    int y;
};

struct TextLine {
    const char* text;
    int y;
};

// A game's instructions on the menu: one key line per player, then two lines of text, all
// starting at column `left`.
struct Instructions {
    KeyLine keyLines[2];
    TextLine textLines[2];
    int left;
    int keyColour;
    int textColour;
};

void drawInstructionLines(const Instructions& instructions, const KeyLabels& labels);
