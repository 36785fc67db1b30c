#pragma once
#include "framework/game_entry.h"

constexpr int catalogueEndId = 1;
constexpr int pawSprite = 0;  // in the cat game's sheet

// Constant: the cat game, then the end entry.
extern const GameEntry gameCatalogue[];

// The entry whose id is `id`, or null when the end entry comes first.
const GameEntry* findGameEntry(int id);
