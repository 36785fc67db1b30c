#pragma once
// The game session: the one running game, how it starts, is fed, runs its due ticks and ends.
#include <cstdint>
#include <memory>
#include <string>

#include "app/session/input_feed.h"
#include "framework/game_entry.h"
#include "framework/game_state.h"

// What rollbacks cost a game, for --stats.
struct RollbackStats {
    uint32_t rollbacks = 0;
    uint32_t deepest = 0;  // ticks
    uint32_t ticksRunAgain = 0;
    uint64_t runAgainMicroseconds = 0;
};

// "tandrel: rollback: 12 rollbacks, deepest 4 ticks, 2.5 ticks run again/s, 3.1 us per tick run
// again", over `seconds` of play.
std::string rollbackStatsLine(const RollbackStats& stats, double seconds);

// The running game. Owned by app/session; made anew by startSession() at every game; endSession()
// frees the game and keeps its seed and lines. Main thread.
struct Session {
    std::unique_ptr<GameState> game;  // set exactly while a game runs
    const GameEntry* entry = nullptr;
    InputFeed* feed = nullptr;
    uint32_t seed = 0;
    bool paused = false;           // the ticks wait; nothing a game records or replays sees it
    uint32_t tickTarget = 0;       // the ticks due by the clock
    uint32_t clockTicks = 0;       // ticks of the clock since the last look at the other side
    unsigned ticksToSkip = 0;      // ticks of the clock to let go by, giving way to the other side
    bool skipNextAdvance = false;  // the ticks of the pass that started the game are not run
    uint8_t eventSequence = 0;     // wraps; read as signed by the event order
    bool endDigestTaken = false;
    uint64_t endDigest = 0;     // at the tick the game's end began
    std::string gameOverLine;   // once gameOver is set
    bool waiting = false;       // the next tick waits for its inputs
    uint32_t waitingSince = 0;  // ms, on the clock runDueTicks() is given
    uint32_t waitedTicks = 0;   // ticks that waited, and the longest wait in ms
    uint32_t longestWait = 0;
    RollbackStats rollback;
};

extern Session session;

// A tick of the running game kept to be put back: a rollback starts from one.
struct SessionSnapshot {
    std::unique_ptr<GameState> game;  // made by the entry at the first save
    const GameEntry* entry = nullptr;
    uint64_t feedPosition = 0;
    bool endDigestTaken = false;
    uint64_t endDigest = 0;
    std::string gameOverLine;
};

bool inGame();
// Makes the catalogue entry with this id the selected game, for the frame, the framework and
// the graphics alike.
void selectGame(int id);
// The one way a game starts, in every mode: the entry's tables and echo fresh, its game created
// from the seed, the recording begun.
void startSession(const GameEntry& entry, uint32_t seed, InputFeed& feed);
// A local player's press or release, to whatever the feed makes of it.
void pressButton(int button, int type);
// Runs the game's next tick once its inputs are known: false while it waits.
bool runTick(uint32_t now);
// `n` more ticks are due: runs the due ticks whose inputs are known, up to game over, at `now` ms
// on the caller's clock. A side that runs ahead of the other gives way. The ticks run.
unsigned runDueTicks(unsigned n, uint32_t now);
// Keeps the running game as it is now; a snapshot once taken is reused without allocating.
void saveSession(SessionSnapshot& snapshot);
// Puts the running game back as the snapshot kept it, and its feed back to that tick.
void loadSession(const SessionSnapshot& snapshot);
void setPaused(bool paused);
// A player leaves the game: false when it ends now, true when it plays on to the tick both sides
// end it at.
bool leaveSession();
void endSession();
// The game is over, at a tick no rollback can take back.
bool sessionOver();
// The game-over line of a game that ended by game over; else the line of a game left.
std::string sessionLine();
// Prints the game-over line of a game that has reached game over.
void reportGameOver();
