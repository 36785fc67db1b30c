// Records one game as two players driven by a random key script would play it: the real frame
// with a hand-set clock and synthetic key events, recording with --record's recorder.
//   record_replay STYLE SCRIPT_SEED FILE [GAME]
// GAME is a title of the catalogue, whiskerwaltz unless given. STYLE:
// - for either game: mash (random keys, held and let go), idle (no key at all), leave (random
//   keys, then Escape after a random number of ticks);
// - the cat game: chase (both players hunt the mouse), solo1 / solo2 (one player hunts, the other
//   idles), approach (close in, then let go);
// - yarnball: rally (both chase the ball to bat it at the other goal), defend1 / defend2 (that
//   player guards the goal, the other chases), chaseleave (both chase, then Escape).
// The game seed is the clock's, as in a live game. tests/data/replays/record.sh runs it.

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "app/platform/key_codes.h"
#include "app/command_line.h"
#include "app/session/recorder.h"
#include "app/session/session.h"
#include "app/window/app_state.h"
#include "app/window/lifecycle.h"
#include "app/window/main_loop.h"
#include "framework/actor.h"
#include "framework/game_state.h"
#include "games/catalogue.h"
#include "support/fake_platform.h"

namespace {

constexpr int keysPerPlayer = 4;
constexpr int playerKeys[2][keysPerPlayer] = {{'w', 's', 'a', 'd'},
                                              {keyArrowUp, keyArrowDown, keyArrowLeft, keyArrowRight}};
constexpr uint32_t maxTicks = 30000;  // a script that never ends its game leaves it here
constexpr int quarryId = 1;           // the mouse, or the ball
constexpr int mouseSide = 8;          // cells beside the mouse that the hunters aim at
constexpr int ballSide = 3;           // cells behind the ball, so that a bat sends it the other way
constexpr int goalGuard = 14;         // the column a defending paw keeps to, in front of its goal

struct Script {
    std::string style;
    std::mt19937 random;
    bool held[2][keysPerPlayer] = {};
    uint32_t leaveTick = 0;

    int below(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }
};

void setKey(Script& s, int player, int k, bool down) {
    if (s.held[player][k] == down) return;
    s.held[player][k] = down;
    int key = playerKeys[player][k];
    fakePlatform.events.push_back(down ? keyDown(key) : keyUp(key));
}

// Holds the keys that lead the paw towards (tx, ty).
void steer(Script& s, const GameState& game, int player, int tx, int ty) {
    const PlayerRecord& paw = game.players[player];
    setKey(s, player, 0, ty > paw.y);
    setKey(s, player, 1, ty < paw.y);
    setKey(s, player, 2, tx < paw.x);
    setKey(s, player, 3, tx > paw.x);
}

// Towards a point `side` cells beside the mouse or the ball, on the player's own side, with a
// little randomness.
void hunt(Script& s, const GameState& game, int player, int side = mouseSide) {
    auto it = game.actors.find(quarryId);
    if (it == game.actors.end()) return;
    int tx = it->second->x / 64 + (player == 0 ? -side : side) + s.below(9) - 4;
    int ty = it->second->y / 64 + s.below(9) - 4;
    steer(s, game, player, tx, ty);
}

// In front of the player's own goal, level with the ball, until the ball is in the player's own
// half: then after it.
void defend(Script& s, const GameState& game, int player) {
    auto it = game.actors.find(quarryId);
    if (it == game.actors.end()) return;
    const bool ownHalf = player == 0 ? it->second->x / 64 < 80 : it->second->x / 64 > 80;
    if (ownHalf) return hunt(s, game, player, ballSide);
    steer(s, game, player, player == 0 ? goalGuard : 160 - goalGuard, it->second->y / 64 + s.below(5) - 2);
}

void mash(Script& s, int player) {
    int k = s.below(keysPerPlayer);
    setKey(s, player, k, !s.held[player][k]);
}

void releaseAll(Script& s) {
    for (int p = 0; p < 2; ++p)
        for (int k = 0; k < keysPerPlayer; ++k) setKey(s, p, k, false);
}

// The keys of one pass, decided from the game as the players see it.
void play(Script& s, const GameState& game) {
    const bool decide = s.below(6) == 0;  // players change their minds every few passes
    if (!decide) return;
    if (s.style == "chase") {
        hunt(s, game, 0);
        hunt(s, game, 1);
    } else if (s.style == "solo1" || s.style == "solo2") {
        hunt(s, game, s.style == "solo1" ? 0 : 1);
    } else if (s.style == "rally" || s.style == "chaseleave") {
        hunt(s, game, 0, ballSide);
        hunt(s, game, 1, ballSide);
    } else if (s.style == "defend1" || s.style == "defend2") {
        const int defender = s.style == "defend1" ? 0 : 1;
        defend(s, game, defender);
        hunt(s, game, 1 - defender, ballSide);
    } else if (s.style == "mash" || s.style == "leave") {
        mash(s, s.below(2));
    } else if (s.style == "approach") {
        if (game.tickCount < 300) {
            hunt(s, game, 0);
            hunt(s, game, 1);
        } else {
            releaseAll(s);
        }
    }
}

bool runGame(Script& s) {
    LoopLocals locals;
    beginLoop(locals);
    fakePlatform.events.push_back(keyDown(keyReturn));  // "start"
    fakePlatform.events.push_back(keyUp(keyReturn));
    bool started = false;
    while (true) {
        // Passes 5 to 40 ms apart, as a busy or an idle machine gives them.
        fakePlatform.now += 5 + s.below(36);
        if (!runPass(locals)) return false;
        if (!inGame()) {
            if (started) return true;
            continue;
        }
        started = true;
        const GameState& game = *session.game;
        if (game.tickCount >= maxTicks || (s.leaveTick && game.tickCount >= s.leaveTick)) {
            fakePlatform.events.push_back(keyDown(keyEscape));
            continue;
        }
        play(s, game);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: record_replay STYLE SCRIPT_SEED FILE [GAME]\n");
        return 2;
    }
    Script script;
    script.style = argv[1];
    script.random.seed(static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10)));
    if (script.style == "leave" || script.style == "chaseleave") script.leaveTick = 50 + script.below(3000);
    std::string error;
    Options options;
    if (argc == 5) options.gameTitle = argv[4];
    if (argc == 5 && !findGameByTitle(options.gameTitle)) {
        std::fprintf(stderr, "record_replay: unknown game '%s' (games: %s)\n", argv[4], gameTitles().c_str());
        return 2;
    }
    options.keysPath = "/dev/null";  // the script plays the built-in keys, whatever the user's key file says
    if (!startRecording(argv[3], error) || appInit(options, error) != 0) {
        std::fprintf(stderr, "record_replay: %s\n", error.c_str());
        return 1;
    }
    bool ended = runGame(script);
    appShutdown();
    return ended ? 0 : 1;
}
