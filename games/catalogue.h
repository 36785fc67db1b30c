#pragma once
#include <string>
#include <vector>

#include "framework/game_entry.h"

constexpr int catalogueEndId = 1;
constexpr int pawSprite = 0;  // the paw in player 1's colours, in every game's sheet

// Constant: the games in the menu's order, then the end entry.
extern const GameEntry* const gameCatalogue[];

// The entry whose id is `id`, or null when the end entry comes first.
const GameEntry* findGameEntry(int id);
// The entry of this title, or null.
const GameEntry* findGameByTitle(const std::string& title);
// The id of the game `step` places along the list from the one with this id, wrapping around.
int neighbourGameId(int id, int step);
int gameCount();
// Every title, in the list's order: what two sides of a net game must share. Made once.
const std::vector<std::string>& catalogueTitles();
// Every title, in the list's order, set apart by ", ".
std::string gameTitles();
