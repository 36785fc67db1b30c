// What a snapshot of a running game costs: its bytes, the time to take one and to put it back, and
// the allocations either makes once the first has been taken, over every tick of a recorded game.
//   snapshot_bench FILE.replay ...
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <new>
#include <string>
#include <vector>

#include "app/session/playback.h"
#include "app/session/session.h"
#include "framework/actor.h"
#include "framework/effect.h"
#include "games/catalogue.h"

namespace {

size_t allocations = 0;  // operator new calls, counted around the snapshots only

}  // namespace

void* operator new(size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

// The game's own record, its actors and effects, its queued events and the players' held buttons.
size_t bytesOf(const GameState& game, size_t recordSize) {
    size_t bytes = recordSize + game.actors.size() * sizeof(Actor) + game.effects.size() * sizeof(Effect) +
                   game.events.size() * sizeof(InputEvent);
    for (const PlayerRecord& player : game.players)
        bytes += sizeof(PlayerRecord) + player.heldButtons.size() * sizeof(int);
    return bytes;
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// One run of the recording, a snapshot taken and put back before every tick. Returns the
// allocations the snapshots made.
size_t snapshotEveryTick(const GameEntry& entry, SessionSnapshot& snapshot, std::vector<double>& saves,
                         std::vector<double>& loads, size_t& largest) {
    startSession(entry, loadedReplay().seed, recordingFeed);
    const size_t recordSize = sizeof(*entry.create(0));
    size_t made = 0;
    while (!session.game->gameOver) {
        const size_t before = allocations;
        auto start = std::chrono::steady_clock::now();
        saveSession(snapshot);
        auto middle = std::chrono::steady_clock::now();
        loadSession(snapshot);
        auto end = std::chrono::steady_clock::now();
        made += allocations - before;
        saves.push_back(std::chrono::duration<double, std::nano>(middle - start).count());
        loads.push_back(std::chrono::duration<double, std::nano>(end - middle).count());
        largest = std::max(largest, bytesOf(*session.game, recordSize));
        runTick(0);
    }
    endSession();
    return made;
}

// Twice through: the first warms the snapshot up to the most actors, effects and events the game
// holds at once; the second shows what a snapshot costs after that.
void benchRecording(const std::string& path) {
    std::string error;
    if (!loadReplay(path, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return;
    }
    const GameEntry& entry = *findGameEntry(loadedReplay().gameId);
    SessionSnapshot snapshot;
    std::vector<double> saves, loads;
    saves.reserve(1 << 20);
    loads.reserve(1 << 20);
    size_t largest = 0;
    const size_t first = snapshotEveryTick(entry, snapshot, saves, loads, largest);
    const size_t second = snapshotEveryTick(entry, snapshot, saves, loads, largest);
    std::printf(
        "%-26s %-12s %5zu ticks  largest %6zu bytes  take %4.0f ns  put back %4.0f ns (medians)  "
        "allocations: %zu warming up, %zu after\n",
        path.substr(path.rfind('/') + 1).c_str(), entry.title, saves.size() / 2, largest, median(saves),
        median(loads), first, second);
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) benchRecording(argv[i]);
    return 0;
}
