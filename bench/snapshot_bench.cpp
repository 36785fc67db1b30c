// What a snapshot of a running game costs: its bytes, and the time to take one and to put it
// back, over every tick of a recorded game.
//   snapshot_bench FILE.replay ...
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <list>
#include <string>
#include <vector>

#include "app/session/playback.h"
#include "app/session/session.h"
#include "framework/actor.h"
#include "framework/effect.h"
#include "games/catalogue.h"

namespace {

// The game's own record, its actors and effects, its queued events and the players' held buttons.
size_t bytesOf(const GameState& game, size_t recordSize) {
    size_t bytes = recordSize + game.actors.size() * sizeof(Actor) + game.effects.size() * sizeof(Effect) +
                   game.events.size() * sizeof(InputEvent);
    for (const PlayerRecord& player : game.players) bytes += sizeof(PlayerRecord) + player.heldButtons.size() * sizeof(int);
    return bytes;
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void benchRecording(const std::string& path) {
    std::string error;
    if (!loadReplay(path, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return;
    }
    const GameEntry& entry = *findGameEntry(loadedReplay().gameId);
    startSession(entry, loadedReplay().seed, recordingFeed);
    const size_t recordSize = sizeof(*entry.create(0));
    SessionSnapshot snapshot;
    std::vector<double> saves, loads;
    size_t largest = 0;
    while (!session.game->gameOver) {
        auto start = std::chrono::steady_clock::now();
        saveSession(snapshot);
        auto middle = std::chrono::steady_clock::now();
        loadSession(snapshot);
        auto end = std::chrono::steady_clock::now();
        saves.push_back(std::chrono::duration<double, std::nano>(middle - start).count());
        loads.push_back(std::chrono::duration<double, std::nano>(end - middle).count());
        largest = std::max(largest, bytesOf(*session.game, recordSize));
        runTick(0);
    }
    std::printf("%-40s %-12s %5zu ticks  largest %6zu bytes  take %6.0f ns  put back %6.0f ns (medians)\n",
                path.substr(path.rfind('/') + 1).c_str(), entry.title, saves.size(), largest, median(saves),
                median(loads));
    endSession();
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) benchRecording(argv[i]);
    return 0;
}
