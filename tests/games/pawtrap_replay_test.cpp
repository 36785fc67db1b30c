#include <gtest/gtest.h>

#include <vector>

#include "games/pawtrap_test_support.h"

namespace {

constexpr int replayTicks = 3000;
constexpr int aimEvery = 6;   // ticks between the scripted players' changes of mind
constexpr int pawOffset = 9;  // the players aim at either side of the mouse

struct Digest {
    uint64_t value = 1469598103934665603ull;
    void add(int64_t v) {
        value ^= static_cast<uint64_t>(v);
        value *= 1099511628211ull;
    }
};

uint64_t digestOf(const Pawtrap& game) {
    Digest d;
    auto it = game.actors.find(1);
    d.add(it == game.actors.end() ? -1 : it->second->x);
    d.add(it == game.actors.end() ? -1 : it->second->y);
    d.add(game.fear);
    d.add(game.stress);
    d.add(game.players[0].score);
    for (const PlayerRecord& paw : game.players) {
        d.add(paw.x);
        d.add(paw.y);
    }
    d.add(game.gameRandomDraws);
    return d.value;
}

void post(Pawtrap& game, int8_t& sequence, int player, int type, int button) {
    game.events.insert(InputEvent{game.tickCount, player, ++sequence, type, button});
}

// Two players who chase the mouse: each lets go of everything and presses towards a point
// beside it, as the keyboard would post it.
void aim(Pawtrap& game, int8_t& sequence) {
    auto it = game.actors.find(1);
    int cx = it == game.actors.end() ? 80 : it->second->x / 64;
    int cy = it == game.actors.end() ? 50 : it->second->y / 64;
    for (int p = 0; p < playerCount; ++p) {
        const PlayerRecord& paw = game.players[p];
        const int base = 4 * p;  // Up, Down, A, B of this player
        for (int b = 0; b < 4; ++b) post(game, sequence, p, releaseEvent, base + b);
        int tx = cx + (p == 0 ? -pawOffset : pawOffset);
        if (cy > paw.y) post(game, sequence, p, pressEvent, base + 0);
        if (cy < paw.y) post(game, sequence, p, pressEvent, base + 1);
        if (tx < paw.x) post(game, sequence, p, pressEvent, base + 2);
        if (tx > paw.x) post(game, sequence, p, pressEvent, base + 3);
    }
}

struct Replay {
    std::vector<uint64_t> digests;
    int score = 0;
    bool over = false;
};

Replay play(uint32_t seed) {
    resetCatGameApplication();
    Pawtrap game(seed);
    Replay replay;
    for (int t = 0; t < replayTicks && !game.gameOver; ++t) {
        int8_t sequence = 0;
        if (t % aimEvery == 0) aim(game, sequence);
        game.tick();
        clearCanvas();
        game.draw();  // the death shake draws from the game's stream too
        replay.digests.push_back(digestOf(game));
    }
    replay.score = game.players[0].score;
    replay.over = game.gameOver;
    return replay;
}

TEST(PawtrapReplay, SameSeedAndInputGiveTheSameGameTickForTick) {
    Replay first = play(1234u);
    Replay second = play(1234u);
    ASSERT_EQ(first.digests.size(), second.digests.size());
    for (size_t t = 0; t < first.digests.size(); ++t) {
        ASSERT_EQ(first.digests[t], second.digests[t]) << "tick " << t;
    }
    EXPECT_GT(first.score, 0);  // the scripted chase does trap the mouse
}

TEST(PawtrapReplay, DifferentSeedGivesADifferentGame) {
    Replay first = play(1234u);
    Replay other = play(1235u);
    EXPECT_NE(first.digests, other.digests);
}

}  // namespace
