#include "app/session/session.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/session/playback.h"
#include "app/session/result_lines.h"
#include "audio/cue_gate.h"
#include "audio/sound_queue.h"
#include "framework/actor.h"
#include "games/catalogue.h"
#include "graphics/canvas.h"

Session session;

namespace {

// Owned by this file: the snapshot before each of the last ticks, while the feed rolls back; made
// at the first games that need them and reused after.
std::vector<SessionSnapshot> history;

// Late by more than this, a sound that only a tick run again makes is left out.
constexpr uint32_t lateCueLimit = 100;  // ms

// A side whose clock runs ahead of the other's by more than a tick lets ticks of its clock go by
// unplayed, at every look (one in so many ticks): half of what it is ahead, one at the least. The
// other side's place is measured from its own inputs, so what this side gives up shows at once.
constexpr uint32_t giveWayEvery = 9;

// What the lines need of a tick: the digest at the tick the game's end began (from then on a game
// may draw from its stream once per drawn frame: the cat game's death shake), and the tick that set
// gameOver, however many ticks a late pass runs after it.
void noteTickForLines(const GameState& game) {
    if (game.endCountdown > 0 && !session.endDigestTaken) {
        session.endDigest = session.entry->digest(game);
        session.endDigestTaken = true;
    }
    if (game.gameOver && session.gameOverLine.empty())
        session.gameOverLine = gameOverLine(*session.entry, session.seed, game, session.endDigest);
}

void noteWaiting(uint32_t now) {
    if (session.waiting) return;
    session.waiting = true;
    session.waitingSince = now;
}

void noteWaitOver(uint32_t now) {
    if (!session.waiting) return;
    session.waiting = false;
    ++session.waitedTicks;
    session.longestWait = std::max(session.longestWait, now - session.waitingSince);
}

// One tick: the snapshot before it where the feed may roll back, its inputs, the tick itself and
// what the lines need of it. `again`: a tick run before, whose sounds are not played twice.
bool playTick(uint32_t now, bool again, bool late) {
    GameState& game = *session.game;
    session.eventSequence = 0;
    const bool rollsBack = session.feed->rollbackDepth() > 0;
    if (rollsBack) saveSession(history[game.tickCount % history.size()]);
    if (!session.feed->queueTick(game)) {
        noteWaiting(now);
        return false;
    }
    noteWaitOver(now);
    if (rollsBack) openCueTick(game.tickCount, again, late);
    game.tick();
    noteTickForLines(game);
    session.feed->tickRan(game);
    return true;
}

// A feed that learned a past tick's inputs differ from those it ran goes back to the snapshot
// before that tick and runs again to where the game was, in the same pass.
void runAgainFromMistake(uint32_t now) {
    uint32_t from;
    if (!session.feed->rollbackDue(from)) return;
    GameState& game = *session.game;
    const uint32_t present = game.tickCount;
    const auto start = std::chrono::steady_clock::now();
    loadSession(history[from % history.size()]);
    while (game.tickCount < present &&
           playTick(now, true, (present - game.tickCount) * tickLength > lateCueLimit)) {}
    RollbackStats& stats = session.rollback;
    ++stats.rollbacks;
    stats.deepest = std::max(stats.deepest, present - from);
    stats.ticksRunAgain += game.tickCount - from;
    stats.runAgainMicroseconds += static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)
            .count());
}

// Judged by the clock, not by the ticks run: a side that keeps waiting for a peer that started
// late would otherwise stay ahead by all it waited, and wait again at every late packet.
void advanceClock(unsigned n, const GameState& game) {
    const unsigned skipped = std::min(n, session.ticksToSkip);
    session.ticksToSkip -= skipped;
    session.tickTarget += n - skipped;
    for (session.clockTicks += n; session.clockTicks >= giveWayEvery; session.clockTicks -= giveWayEvery) {
        const int32_t ahead = session.feed->msAhead(session.tickTarget * tickLength);
        if (ahead <= int32_t(tickLength)) continue;
        const uint32_t giveUp = std::max<uint32_t>(1, uint32_t(ahead) / (2 * tickLength));
        const uint32_t fromBacklog =
            std::min(giveUp, session.tickTarget - std::min(session.tickTarget, game.tickCount));
        session.tickTarget -= fromBacklog;
        session.ticksToSkip += giveUp - fromBacklog;
    }
}

}  // namespace

bool inGame() { return session.game != nullptr; }

void selectGame(int id) {
    selectedEntry = findGameEntry(id);
    graphicsInputs.baseColors = selectedEntry ? selectedEntry->baseColors : nullptr;
    graphicsInputs.sprites = selectedEntry ? selectedEntry->sprites : nullptr;
}

void startSession(const GameEntry& entry, uint32_t seed, InputFeed& feed) {
    selectGame(entry.id);
    restoreActorKinds();
    requestEchoCut();
    session = Session{};
    session.entry = &entry;
    session.feed = &feed;
    session.seed = seed;
    noteGameStart(seed, entry.title);
    session.game = entry.create(seed);
    if (history.size() <= feed.rollbackDepth()) history.resize(feed.rollbackDepth() + 1);
}

void pressButton(int button, int type) {
    if (inGame()) session.feed->press(button, type);
}

bool runTick(uint32_t now) { return playTick(now, false, false); }

unsigned runDueTicks(unsigned n, uint32_t now) {
    if (session.skipNextAdvance) {
        session.skipNextAdvance = false;
        return 0;
    }
    GameState& game = *session.game;
    runAgainFromMistake(now);
    const uint32_t first = game.tickCount;
    advanceClock(n, game);
    while (game.tickCount < session.tickTarget && !game.gameOver && runTick(now)) {}
    // A tick run at the start counts as one of those due.
    session.tickTarget = std::max(session.tickTarget, game.tickCount);
    session.feed->ranDueTicks();
    return game.tickCount - first;
}

void saveSession(SessionSnapshot& snapshot) {
    if (!snapshot.game || snapshot.entry != session.entry) {
        snapshot.game = session.entry->create(session.seed);
        snapshot.entry = session.entry;
    }
    session.entry->copy(*snapshot.game, *session.game);
    snapshot.feedPosition = session.feed->position();
    snapshot.endDigestTaken = session.endDigestTaken;
    snapshot.endDigest = session.endDigest;
    snapshot.gameOverLine = session.gameOverLine;
}

void loadSession(const SessionSnapshot& snapshot) {
    session.entry->copy(*session.game, *snapshot.game);
    session.feed->rewind(snapshot.feedPosition);
    session.endDigestTaken = snapshot.endDigestTaken;
    session.endDigest = snapshot.endDigest;
    session.gameOverLine = snapshot.gameOverLine;
}

void setPaused(bool paused) {
    if (!inGame() || session.paused == paused) return;
    session.paused = paused;
    session.feed->paused(paused);
}

bool leaveSession() {
    session.paused = false;
    return session.feed->leave();
}

void endSession() {
    if (!inGame()) return;
    session.feed->ended();
    noteGameEnd(*session.game);
    closeCueGate();
    session.game.reset();
    session.paused = false;
    requestEchoCut();
}

std::string rollbackStatsLine(const RollbackStats& stats, double seconds) {
    char line[160];
    std::snprintf(
        line, sizeof line,
        "tandrel: rollback: %u rollbacks, deepest %u ticks, %.1f ticks run again/s, %.1f us per tick "
        "run again\n",
        stats.rollbacks, stats.deepest, seconds > 0 ? stats.ticksRunAgain / seconds : 0.0,
        stats.ticksRunAgain ? double(stats.runAgainMicroseconds) / stats.ticksRunAgain : 0.0);
    return line;
}

bool sessionOver() {
    return inGame() && session.game->gameOver && session.feed->finalTicks() >= session.game->tickCount;
}

std::string sessionLine() {
    if (!session.gameOverLine.empty()) return session.gameOverLine;
    return leftLine(*session.entry, session.seed, *session.game);
}

void reportGameOver() {
    if (session.gameOverLine.empty()) return;
    std::printf("%s\n", session.gameOverLine.c_str());
    std::fflush(stdout);
}
