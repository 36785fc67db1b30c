#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "framework/actor.h"
#include "framework/game_state.h"
#include "framework/key_labels.h"
#include "graphics/primitives.h"

constexpr int colourRoleCount = 11;
// The roles every screen of text uses besides the menu's own: a title and its lines.
constexpr int titleColourRole = 0;
constexpr int textColourRole = 5;

// How a game keeps score: one score the players share (players[0].score), or one each.
enum class Scoring { Shared, PerPlayer };

// One game of the catalogue: everything the frame, the menu, replays and the drawing need to
// know of it, from how to create it to its look and its result. The catalogue itself is constant
// data in games/.
struct GameEntry {
    int id;
    const char* title;
    float baseColors[9][3];
    int colourRoles[colourRoleCount];
    const Sprite* sprites;
    ActorOperation actorHook;
    void (*drawInstructions)(const KeyLabels& labels);
    std::unique_ptr<GameState> (*create)(uint32_t seed);
    // A fingerprint of everything that shapes the rest of a game of this entry.
    uint64_t (*digest)(const GameState& game);
    // The whole state of one game of this entry onto another made by `create`: a snapshot is
    // taken and put back with it (copyGame<TheGamesClass>).
    void (*copy)(GameState& to, const GameState& from);
    Scoring scoring;
};

// The entry of the selected game, or null when none is found. Set by the frame's selectGame();
// the actor update runs its hook.
extern const GameEntry* selectedEntry;

// The score as result lines and the menu give it: "200" shared, "5:3" one per player.
std::string scoreText(const GameEntry& entry, const GameState& game);
// What a result line says of a game: "seed S score 200"; a game with a score per player names
// itself first, "game yarnball seed S score 5:3".
std::string resultText(const GameEntry& entry, uint32_t seed, const GameState& game);
