#pragma once
#include "framework/actor.h"
#include "framework/key_labels.h"
#include "graphics/primitives.h"

constexpr int colourRoleCount = 11;
constexpr int catalogueEndId = 1;
constexpr int pawSprite = 0;  // in the cat game's sheet

struct GameEntry {
    int id;
    const char* title;
    float baseColors[9][3];
    int colourRoles[colourRoleCount];
    const Sprite* sprites;
    ActorOperation actorHook;
    void (*drawInstructions)(const KeyLabels& labels);
};

// Constant: the cat game, then the end entry.
extern const GameEntry gameCatalogue[];

// The entry whose id is app.selectedGame, or null when the end entry comes first.
const GameEntry* currentGameEntry();
