#pragma once
// A net game: its start on either side, and the feeds that play both sides' inputs, in lockstep or with
// rollback.
#include "app/session/replay_file.h"
#include "net/message.h"

// This side's player presses what the script's events of that player say, at their ticks,
// instead of the keys (a headless net game).
void useScript(const Replay& script);
// Both sides: the game of a start message, its first ticks closed with the script's events, fed
// in lockstep (each tick once both sides' inputs are known) or with rollback, as the host chose.
void startNetSession(const Message& start);
