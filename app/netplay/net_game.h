#pragma once
// A net game: its start on either side, and the feed that plays both sides' inputs in lockstep.
#include "app/session/replay_file.h"
#include "net/message.h"

class InputFeed;

// Each tick runs once both sides' inputs for it are known; this side's own are stamped `delay`
// ticks ahead, and the digests are compared as the ticks run.
extern InputFeed& peerFeed;

// This side's player presses what the script's events of that player say, at their ticks,
// instead of the keys (a headless net game).
void useScript(const Replay& script);
// Both sides: the game of a start message, its first ticks closed with the script's events.
void startNetSession(const Message& start);
