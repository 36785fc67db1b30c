#pragma once
// Playback of a loaded recording, and the hooks through which a running game is recorded.
#include <cstdint>
#include <string>

#include "app/session/replay_file.h"

class InputFeed;

// Replaying in the running program, main thread; a replay is loaded once by main.
bool loadReplay(const std::string& path, std::string& error);
bool replayActive();
const Replay& loadedReplay();
const std::string& loadedReplayPath();

// A game fed by the loaded replay's events at their ticks; the keyboard plays no part in it.
extern InputFeed& recordingFeed;

// Hooks of the session: a game began or ended, an event was queued. They record with --record.
void noteGameStart(uint32_t seed, const char* title);
void noteGameEnd(const GameState& game);
void noteInputEvent(const InputEvent& event);
