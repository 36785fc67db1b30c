#include "app/replay.h"

#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <istream>
#include <memory>
#include <ostream>
#include <sstream>

#include "app/app_state.h"
#include "games/game_digest.h"
#include "games/pawtrap.h"

namespace {

const char* const replayMagic = "tandrel-replay 1";

// Owned by main; the recorder covers only the first game started.
struct ReplayState {
    std::ofstream recording;
    bool recordingOpen = false;
    bool recordedGameEnded = false;
    bool playing = false;
    Replay replay;
    size_t nextEvent = 0;
    bool endDigestTaken = false;
    uint64_t endDigest = 0;    // of the running game, at the tick its end began
    std::string gameOverLine;  // of the running game, once gameOver is set
};

ReplayState replayState;

bool fail(std::string& error, const std::string& name, int line, const std::string& what) {
    error = name + ":" + std::to_string(line) + ": " + what;
    return false;
}

bool validEvent(const InputEvent& e, int sequence) {
    return (e.player == 0 || e.player == 1) && (e.type == pressEvent || e.type == releaseEvent) &&
           e.button >= 0 && e.button <= 7 && sequence >= -128 && sequence <= 127;
}

bool parseEvent(std::istringstream& fields, InputEvent& event) {
    long long tick = -1;
    int sequence = 0;
    std::string rest;
    if (!(fields >> tick >> event.player >> sequence >> event.type >> event.button) || (fields >> rest)) return false;
    if (tick < 0 || tick > UINT32_MAX || !validEvent(event, sequence)) return false;
    event.tick = static_cast<uint32_t>(tick);
    event.sequence = static_cast<int8_t>(sequence);
    return true;
}

bool parseTick(std::istringstream& fields, uint32_t& value) {
    long long number = -1;
    std::string rest;
    if (!(fields >> number) || (fields >> rest) || number < 0 || number > UINT32_MAX) return false;
    value = static_cast<uint32_t>(number);
    return true;
}

void feedReplay(GameState& game) {
    ReplayState& s = replayState;
    while (s.nextEvent < s.replay.events.size() && s.replay.events[s.nextEvent].tick <= game.tickCount) {
        game.events.insert(s.replay.events[s.nextEvent++]);
    }
}

bool replayFinished(const GameState& game) {
    const Replay& r = replayState.replay;
    return game.gameOver || (r.hasEnd && game.tickCount >= r.endTick);
}

}  // namespace

bool parseReplay(std::istream& in, const std::string& name, Replay& replay, std::string& error) {
    std::string text;
    int line = 0;
    bool seenSeed = false;
    replay = Replay{};
    while (std::getline(in, text)) {
        ++line;
        if (line == 1) {
            if (text != replayMagic) return fail(error, name, line, "not a tandrel replay");
            continue;
        }
        std::istringstream fields(text);
        std::string word;
        if (!(fields >> word) || word[0] == '#') continue;
        if (word == "seed") {
            if (seenSeed || !parseTick(fields, replay.seed)) return fail(error, name, line, "expected 'seed NUMBER' once");
            seenSeed = true;
        } else if (word == "event") {
            InputEvent event;
            if (!parseEvent(fields, event)) {
                return fail(error, name, line, "expected 'event TICK PLAYER SEQUENCE TYPE BUTTON'");
            }
            replay.events.push_back(event);
        } else if (word == "end") {
            if (replay.hasEnd || !parseTick(fields, replay.endTick)) return fail(error, name, line, "expected 'end TICK' once");
            replay.hasEnd = true;
        } else {
            return fail(error, name, line, "unknown record '" + word + "'");
        }
    }
    if (line == 0) return fail(error, name, 1, "empty file");
    if (!seenSeed) return fail(error, name, line, "no seed");
    return true;
}

void writeReplayHeader(std::ostream& out, uint32_t seed) { out << replayMagic << "\nseed " << seed << "\n"; }

void writeReplayEvent(std::ostream& out, const InputEvent& e) {
    out << "event " << e.tick << ' ' << e.player << ' ' << int(e.sequence) << ' ' << e.type << ' ' << e.button << "\n";
}

void writeReplayEnd(std::ostream& out, uint32_t tick) { out << "end " << tick << "\n"; }

std::string gameOverLine(uint32_t seed, const GameState& game, uint64_t endDigest) {
    char line[160];
    std::snprintf(line, sizeof line, "game over: seed %" PRIu32 " score %d tick %" PRIu32 " digest %016" PRIx64,
                  seed, game.players[0].score, game.tickCount, endDigest);
    return line;
}

bool startRecording(const std::string& path, std::string& error) {
    replayState.recording.open(path);
    if (!replayState.recording) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

bool loadReplay(const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    if (!parseReplay(in, path, replayState.replay, error)) return false;
    replayState.playing = true;
    return true;
}

bool replayActive() { return replayState.playing; }

uint32_t replaySeed() { return replayState.replay.seed; }

void noteGameStart(uint32_t seed) {
    ReplayState& s = replayState;
    s.gameOverLine.clear();
    s.endDigestTaken = false;
    s.nextEvent = 0;
    if (s.recording.is_open() && !s.recordingOpen && !s.recordedGameEnded) {
        s.recordingOpen = true;
        writeReplayHeader(s.recording, seed);
        s.recording.flush();
    }
}

void noteGameEnd(const GameState& game) {
    ReplayState& s = replayState;
    if (!s.recordingOpen) return;
    if (!game.gameOver) writeReplayEnd(s.recording, game.tickCount);
    s.recording.close();
    s.recordingOpen = false;
    s.recordedGameEnded = true;
}

void noteInputEvent(const InputEvent& event) {
    if (!replayState.recordingOpen) return;
    writeReplayEvent(replayState.recording, event);
    replayState.recording.flush();
}

// Both a live and a headless run report the tick that set gameOver, however many ticks a late
// pass runs after it, and the state at the tick the end began: from then on the death shake
// draws from the game's stream once per drawn frame, and a mouse that dies a tick late makes
// its last move with what is left of it.
void runGameTick(GameState& game) {
    ReplayState& s = replayState;
    if (s.playing) feedReplay(game);
    game.tick();
    if (game.endCountdown > 0 && !s.endDigestTaken) {
        s.endDigest = gameDigest(game);
        s.endDigestTaken = true;
    }
    if (game.gameOver && s.gameOverLine.empty()) s.gameOverLine = gameOverLine(app.gameSeed, game, s.endDigest);
}

void reportGameOver() {
    if (replayState.gameOverLine.empty()) return;
    std::printf("%s\n", replayState.gameOverLine.c_str());
    std::fflush(stdout);
}

int runHeadlessReplay() {
    app.gameSeed = replayState.replay.seed;
    Pawtrap game(app.gameSeed);
    noteGameStart(app.gameSeed);
    while (!replayFinished(game)) runGameTick(game);
    if (game.gameOver) reportGameOver();
    else std::printf("left: seed %" PRIu32 " score %d tick %" PRIu32 "\n", replayState.replay.seed,
                     game.players[0].score, game.tickCount);
    return 0;
}
