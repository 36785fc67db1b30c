#pragma once
// The replay file format, read and written.
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "framework/game_state.h"

// A recorded game: its seed, the catalogue id of its game, every input event queued into it,
// and the tick at which it was left when it ended before game over.
struct Replay {
    uint32_t seed = 0;
    int gameId = 0;  // a file without a game line holds the cat game
    std::vector<InputEvent> events;
    bool hasEnd = false;
    uint32_t endTick = 0;
};

// The text form, one record a line:
//   tandrel-replay 1
//   seed SEED
//   game TITLE
//   event TICK PLAYER SEQUENCE TYPE BUTTON
//   end TICK
bool parseReplay(std::istream& in, const std::string& name, Replay& replay, std::string& error);
// The file at `path`, parsed; "cannot read PATH" when it cannot be opened.
bool readReplayFile(const std::string& path, Replay& replay, std::string& error);
void writeReplayHeader(std::ostream& out, uint32_t seed, const char* title);
void writeReplayEvent(std::ostream& out, const InputEvent& event);
void writeReplayEnd(std::ostream& out, uint32_t tick);
