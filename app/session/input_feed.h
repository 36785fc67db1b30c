#pragma once
// Where the players' events come from, as the game session asks for them.
#include <cstdint>

#include "framework/game_state.h"

// Where the players' events come from: this keyboard and its pads, a recording, or the other side
// of a net game. Chosen once, when a game starts; the session asks nothing else of the mode.
class InputFeed {
public:
    virtual ~InputFeed() = default;
    // A local player pressed (pressEvent) or released (releaseEvent) a button.
    virtual void press(int button, int type) = 0;
    // Queues the events of the game's next tick; false while they are not all known: it waits.
    virtual bool queueTick(GameState& game) = 0;
    virtual void tickRan(const GameState&) {}
    // After the due ticks of a pass ran, or the next waits.
    virtual void ranDueTicks() {}
    // How far this side's game, at gameMs of its time, runs ahead of the other side's.
    virtual int32_t msAhead(uint32_t) const { return 0; }
    // The game paused or resumed here.
    virtual void paused(bool) {}
    // A player leaves: false when the game ends now, true when it plays on to a tick the feed sets.
    virtual bool leave() { return false; }
    virtual void ended() {}
    // A game alone pauses while its players are away; a net game cannot stop the other side.
    virtual bool pausesWhenAway() const { return true; }
    // How far the feed has fed the game, to go back to when a snapshot of it is put back.
    virtual uint64_t position() const { return 0; }
    virtual void rewind(uint64_t) {}
    // A feed that plays ticks before their inputs are all known: how many it may run so, and
    // the earliest tick it learned it ran wrongly, to run again from there.
    virtual uint32_t rollbackDepth() const { return 0; }
    virtual bool rollbackDue(uint32_t&) { return false; }
    // The ticks whose inputs are final: no rollback can change the game before them.
    virtual uint32_t finalTicks() const { return UINT32_MAX; }
};
