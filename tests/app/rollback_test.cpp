#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/netplay/net_game.h"
#include "app/netplay/peer.h"
#include "app/session/playback.h"
#include "app/session/session.h"
#include "audio/mixer.h"
#include "audio/sound_queue.h"
#include "games/catalogue.h"
#include "support/fake_platform.h"

namespace {

const std::string replayDirectory = TANDREL_SOURCE_DIR "/tests/data/replays/";

std::string expectedLine(const std::string& game) {
    std::ifstream in(replayDirectory + game + ".expected");
    std::string line;
    std::getline(in, line);
    return line;
}

// A sound as the game made it; its pan and loudness take random steps of their own.
using Cue = std::tuple<int, float, int>;
using Cues = std::multiset<Cue>;

// The sounds that got past the cue gate since the last look: no audio thread takes them here.
Cues takeCues() {
    Cues cues;
    for (int slot : pendingSlots)
        cues.insert({voices[slot].type, voices[slot].frequency, voices[slot].noteIndex});
    pendingSlots.clear();
    resetGameSide();
    return cues;
}

Cues without(const Cues& all, const Cues& some) {
    Cues rest;
    std::set_difference(all.begin(), all.end(), some.begin(), some.end(), std::inserter(rest, rest.end()));
    return rest;
}

Replay load(const std::string& game) {
    std::string error;
    EXPECT_TRUE(loadReplay(replayDirectory + game + ".replay", error)) << error;
    return loadedReplay();
}

// The sounds each tick of the recorded game makes, by tick.
std::map<uint32_t, Cues> cuesOfTheRecording(const Replay& replay) {
    std::map<uint32_t, Cues> byTick;
    startSession(*findGameEntry(replay.gameId), replay.seed, recordingFeed);
    takeCues();
    while (!session.game->gameOver) {
        runDueTicks(1, 0);
        byTick[session.game->tickCount - 1] = takeCues();
    }
    endSession();
    return byTick;
}

// What one side of a rollback game heard: each tick's first run, and what runs again added.
struct Heard {
    std::map<uint32_t, Cues> firstRuns;
    Cues runAgain;
};

// One side of a rollback game without sockets: this side plays player 1's recorded keys, and the
// peer's (player 2's) arrive `lag` ticks after the peer played them. Returns the line.
std::string playWithLatePeer(const Replay& replay, uint32_t lag, Heard& heard) {
    net = NetPlay{};
    net.on = true;
    net.hosting = true;
    useScript(replay);
    Message start;
    start.type = MessageType::Start;
    start.game = 1;
    start.seed = replay.seed;
    start.delay = 1;
    start.netcode = Netcode::Rollback;
    start.title = findGameEntry(replay.gameId)->title;
    startNetSession(start);
    std::map<uint32_t, std::vector<InputEvent>> peer;
    for (const InputEvent& e : replay.events) {
        if (e.player == 1) peer[e.tick].push_back(e);
    }
    takeCues();
    for (uint32_t pass = 0; pass < 100000 && !sessionOver(); ++pass) {
        const uint32_t tick = session.game->tickCount;
        Message inputs;
        inputs.type = MessageType::Inputs;
        inputs.game = 1;
        inputs.player = 1;
        inputs.received = net.lockstep.localClosed;
        inputs.firstTick = net.lockstep.remoteKnown;
        for (uint32_t t = inputs.firstTick; t + lag < tick; ++t) inputs.ticks.push_back(peer[t]);
        acceptInputs(net.lockstep, inputs);
        runDueTicks(0, pass * tickLength);  // only what a wrong prediction makes run again
        const Cues again = takeCues();
        heard.runAgain.insert(again.begin(), again.end());
        if (session.game->gameOver) continue;
        runDueTicks(1, pass * tickLength);
        if (session.game->tickCount > tick) heard.firstRuns[tick] = takeCues();
    }
    const std::string line = sessionLine();
    endSession();
    return line;
}

class Rollback : public ::testing::Test {
protected:
    void SetUp() override { resetApplication(); }
    void TearDown() override { net = NetPlay{}; }
};

// A rally: presses, releases and bats of the peer's, each heard three ticks late and run again.
// Every sound of the game is heard, those a tick's first run made once, and a run again adds only
// what the first runs did not make.
TEST_F(Rollback, APeerHeardLateIsRunAgainToTheRecordingsLineWithEverySoundOnce) {
    const std::string game = "21_yarnball_rally";
    const Replay replay = load(game);
    const std::map<uint32_t, Cues> truth = cuesOfTheRecording(replay);
    Heard heard;
    EXPECT_EQ(playWithLatePeer(replay, 3, heard), expectedLine(game));
    EXPECT_GT(session.rollback.rollbacks, 10u);
    EXPECT_LE(session.rollback.deepest, 8u);
    Cues madeOnlyAgain;
    for (const auto& [tick, cues] : truth) {
        const Cues missing = without(cues, heard.firstRuns[tick]);
        madeOnlyAgain.insert(missing.begin(), missing.end());
    }
    EXPECT_EQ(heard.runAgain, madeOnlyAgain);
}

}  // namespace
