#pragma once
// Recording a game to a replay file with --record.
#include <cstdint>
#include <string>

class GameState;
struct InputEvent;

// Recording with --record: only the first game started is written. Main thread; the file is
// opened once by main.
bool startRecording(const std::string& path, std::string& error);
void recordGameStart(uint32_t seed, const char* title);
void recordGameEnd(const GameState& game);
void recordInputEvent(const InputEvent& event);
