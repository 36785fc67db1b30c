#pragma once
#include <string>

#include "framework/game_state.h"

// What a game's instructions call each player's keys, by button (Up, Down, A, B), in letters
// the font has. Filled by the frame from the bindings in force.
struct KeyLabels {
    std::string keys[playerCount][4];
    // Over a network: the one player this side plays, with either player's keys; -1 at one keyboard.
    int netPlayer = -1;
};
