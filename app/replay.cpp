#include "app/replay.h"

#include <cstdio>
#include <fstream>

#include "app/app_state.h"
#include "app/replay_recorder.h"
#include "games/game_digest.h"

namespace {

// Owned by main: the loaded replay, and what the running game will report at its end. The
// report is wiped at every new game.
struct PlaybackState {
    bool playing = false;
    std::string path;
    Replay replay;
    size_t nextEvent = 0;
    bool endDigestTaken = false;
    uint64_t endDigest = 0;    // of the running game, at the tick its end began
    std::string gameOverLine;  // of the running game, once gameOver is set
};

PlaybackState playback;

void feedReplay(GameState& game) {
    const std::vector<InputEvent>& events = playback.replay.events;
    while (playback.nextEvent < events.size() && events[playback.nextEvent].tick <= game.tickCount) {
        game.events.insert(events[playback.nextEvent++]);
    }
}

}  // namespace

bool loadReplay(const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    if (!parseReplay(in, path, playback.replay, error)) return false;
    playback.playing = true;
    playback.path = path;
    return true;
}

bool replayActive() { return playback.playing; }

uint32_t replaySeed() { return playback.replay.seed; }

const Replay& loadedReplay() { return playback.replay; }

const std::string& loadedReplayPath() { return playback.path; }

void noteGameStart(uint32_t seed) {
    playback.gameOverLine.clear();
    playback.endDigestTaken = false;
    playback.nextEvent = 0;
    recordGameStart(seed);
}

void noteGameEnd(const GameState& game) { recordGameEnd(game); }

void noteInputEvent(const InputEvent& event) { recordInputEvent(event); }

// Both a live and a headless run report the tick that set gameOver, however many ticks a late
// pass runs after it, and the state at the tick the end began: from then on the death shake
// draws from the game's stream once per drawn frame, and a mouse that dies a tick late makes
// its last move with what is left of it.
void runGameTick(GameState& game) {
    if (playback.playing) feedReplay(game);
    game.tick();
    if (game.endCountdown > 0 && !playback.endDigestTaken) {
        playback.endDigest = gameDigest(game);
        playback.endDigestTaken = true;
    }
    if (game.gameOver && playback.gameOverLine.empty())
        playback.gameOverLine = gameOverLine(app.gameSeed, game, playback.endDigest);
}

void reportGameOver() {
    if (playback.gameOverLine.empty()) return;
    std::printf("%s\n", playback.gameOverLine.c_str());
    std::fflush(stdout);
}
