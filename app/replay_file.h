#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "framework/game_state.h"

// A recorded game: its seed, every input event queued into it, and the tick at which it was
// left when it ended before game over.
struct Replay {
    uint32_t seed = 0;
    std::vector<InputEvent> events;
    bool hasEnd = false;
    uint32_t endTick = 0;
};

// The text form, one record a line:
//   tandrel-replay 1
//   seed SEED
//   event TICK PLAYER SEQUENCE TYPE BUTTON
//   end TICK
bool parseReplay(std::istream& in, const std::string& name, Replay& replay, std::string& error);
void writeReplayHeader(std::ostream& out, uint32_t seed);
void writeReplayEvent(std::ostream& out, const InputEvent& event);
void writeReplayEnd(std::ostream& out, uint32_t tick);

// The line printed at game over: seed, score, the tick count when gameOver was set, and the
// digest of the game as it was when its end began.
std::string gameOverLine(uint32_t seed, const GameState& game, uint64_t endDigest);
// The line printed when a replayed game stops before game over.
std::string leftLine(uint32_t seed, const GameState& game);
