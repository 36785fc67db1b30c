#pragma once
#include <cstdint>
#include <string>

#include "app/replay_file.h"

// Replaying in the running program, main thread; a replay is loaded once by main.
bool loadReplay(const std::string& path, std::string& error);
bool replayActive();
uint32_t replaySeed();
const Replay& loadedReplay();
const std::string& loadedReplayPath();

// Hooks of the frame: a game began or ended, an event was queued, a tick is due.
void noteGameStart(uint32_t seed);
void noteGameEnd(const GameState& game);
void noteInputEvent(const InputEvent& event);
void runGameTick(GameState& game);
// Prints the game-over line of the game that just ended by game over.
void reportGameOver();
