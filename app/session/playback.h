#pragma once
#include <cstdint>
#include <string>

#include "app/session/replay_file.h"

// Replaying in the running program, main thread; a replay is loaded once by main.
bool loadReplay(const std::string& path, std::string& error);
bool replayActive();
const Replay& loadedReplay();
const std::string& loadedReplayPath();

// Hooks of the frame: a game began or ended, an event was queued. They record with --record.
void noteGameStart(uint32_t seed, const char* title);
void noteGameEnd(const GameState& game);
void noteInputEvent(const InputEvent& event);
// Queues the loaded replay's events that are due by the game's tick, when a replay plays.
void feedReplayEvents(GameState& game);
