#pragma once
#include "framework/actor.h"
#include "framework/key_labels.h"
#include "graphics/primitives.h"

constexpr int colourRoleCount = 11;

// One game of the catalogue: its look, its sprites and the hooks the framework and the menu call.
// The catalogue itself is constant data in games/.
struct GameEntry {
    int id;
    const char* title;
    float baseColors[9][3];
    int colourRoles[colourRoleCount];
    const Sprite* sprites;
    ActorOperation actorHook;
    void (*drawInstructions)(const KeyLabels& labels);
};

// The entry of the selected game, or null when none is found. Set by the frame's selectGame()
// at start-up; the actor update runs its hook.
extern const GameEntry* selectedEntry;
