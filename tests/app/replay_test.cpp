#include <gtest/gtest.h>


#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/platform/key_codes.h"
#include "app/headless/replay_run.h"
#include "app/input/keys_file.h"
#include "app/session/playback.h"
#include "app/session/recorder.h"
#include "app/session/session.h"
#include "app/window/app_state.h"
#include "app/window/lifecycle.h"
#include "app/window/main_loop.h"
#include "framework/effect.h"
#include "framework/game_digest.h"
#include "games/pawtrap.h"
#include "games/yarnball.h"
#include "support/fake_platform.h"

namespace {

std::string parseError(const std::string& text) {
    std::istringstream in(text);
    Replay replay;
    std::string error;
    EXPECT_FALSE(parseReplay(in, "r", replay, error));
    return error;
}

TEST(ReplayFile, WrittenRecordsReadBackUnchanged) {
    std::ostringstream out;
    writeReplayHeader(out, 4000000000u, "yarnball");
    InputEvent a{7, 1, -128, 4, 6};
    InputEvent b{9, 0, 3, 3, 1};
    writeReplayEvent(out, a);
    writeReplayEvent(out, b);
    writeReplayEnd(out, 12);
    std::istringstream in(out.str());
    Replay replay;
    std::string error;
    ASSERT_TRUE(parseReplay(in, "r", replay, error)) << error;
    EXPECT_EQ(replay.seed, 4000000000u);
    EXPECT_EQ(replay.gameId, 2);
    ASSERT_EQ(replay.events.size(), 2u);
    EXPECT_EQ(replay.events[0].sequence, -128);
    EXPECT_EQ(replay.events[0].button, 6);
    EXPECT_EQ(replay.events[1].tick, 9u);
    EXPECT_TRUE(replay.hasEnd);
    EXPECT_EQ(replay.endTick, 12u);
}

TEST(ReplayFile, BadFilesNameTheLine) {
    EXPECT_EQ(parseError(""), "r:1: empty file");
    EXPECT_EQ(parseError("hello\n"), "r:1: not a tandrel replay");
    EXPECT_EQ(parseError("tandrel-replay 1\nseed 5\nevent 1 2 3 3 0\n"),
              "r:3: expected 'event TICK PLAYER SEQUENCE TYPE BUTTON'");
    EXPECT_EQ(parseError("tandrel-replay 1\nseed 5\nevent 1 0 3 3 8\n"),
              "r:3: expected 'event TICK PLAYER SEQUENCE TYPE BUTTON'");
    EXPECT_EQ(parseError("tandrel-replay 1\nseed -5\n"), "r:2: expected 'seed NUMBER' once");
    EXPECT_EQ(parseError("tandrel-replay 1\nevent 1 0 1 3 0\n"), "r:2: no seed");
    EXPECT_EQ(parseError("tandrel-replay 1\nseed 1\njump 3\n"), "r:3: unknown record 'jump'");
    EXPECT_EQ(parseError("tandrel-replay 1\nseed 1\ngame pong\n"), "r:3: unknown game 'pong'");
    EXPECT_EQ(parseError("tandrel-replay 1\nseed 1\ngame yarnball\ngame yarnball\n"),
              "r:4: expected 'game TITLE' once");
    EXPECT_EQ(parseError("tandrel-replay 1\nseed 1\nevent 1 0 1 3 0 9\n"),
              "r:3: expected 'event TICK PLAYER SEQUENCE TYPE BUTTON'");
}

TEST(GameDigest, LeavesOutDrawCountsButSeesPositions) {
    Pawtrap a(11), b(11);
    b.gameRandomDraws += 5;
    EXPECT_EQ(pawtrapDigest(a), pawtrapDigest(b));
    b.players[1].x += 1;
    EXPECT_NE(pawtrapDigest(a), pawtrapDigest(b));
}

// A number flies as the application's source says, which a live game draws from on every pass
// and a headless one never: two games apart only in that flight have one digest.
TEST(GameDigest, LeavesOutTheFlightOfNumbersButSeesOtherEffects) {
    Yarnball a(11), b(11);
    appRandomSource.seed(1);
    a.effects.push_back(makeEffect(numberEffect, 80, 50, 0, 7, a));
    appRandomSource.seed(2);
    b.effects.push_back(makeEffect(numberEffect, 80, 50, 0, 7, b));
    ASSERT_NE(a.effects.back()->vx, b.effects.back()->vx);
    EXPECT_EQ(yarnballDigest(a), yarnballDigest(b));
    a.effects.push_back(makeEffect(splashEffect, 4, 50, 1, 0, a));
    b.effects.push_back(makeEffect(splashEffect, 4, 51, 1, 0, b));
    EXPECT_NE(yarnballDigest(a), yarnballDigest(b));
}

// A live game played through the frame, with passes of different lengths and player 1 on keys
// from a key file, and its recording replayed headless with the built-in keys, end at the same
// game-over line.
TEST(Replay, HeadlessReplayOfARecordedGameEndsIdentically) {
    char path[] = "/tmp/tandrel-replay-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    std::string error;
    ASSERT_TRUE(startRecording(path, error));
    resetApplication();
    std::istringstream keyFile("player1.up = z\nplayer1.down = x\nplayer1.left = q\nplayer1.right = e\n");
    ASSERT_TRUE(parseKeyFile(keyFile, "keys", error)) << error;
    LoopLocals locals;
    beginLoop(locals);
    fakePlatform.events = {keyDown(keyReturn)};
    testing::internal::CaptureStdout();
    const int keys[] = {'z', 'e', keyArrowUp, keyArrowLeft, 'x', 'q'};
    for (int pass = 0; pass < 4000 && (pass < 2 || inGame()); ++pass) {
        if (pass % 40 == 5) fakePlatform.events.push_back(keyDown(keys[pass / 40 % 6]));
        if (pass % 40 == 25) fakePlatform.events.push_back(keyUp(keys[pass / 40 % 6]));
        fakePlatform.now += pass % 7 == 0 ? 60 : 18;
        runPass(locals);
    }
    std::string live = testing::internal::GetCapturedStdout();
    ASSERT_FALSE(inGame()) << "the scripted game did not end";
    ASSERT_NE(live.find("game over: seed"), std::string::npos);

    restoreSettings();
    ASSERT_TRUE(loadReplay(path, error)) << error;
    std::ifstream recorded(path);
    Replay replay;
    ASSERT_TRUE(parseReplay(recorded, path, replay, error)) << error;
    EXPECT_TRUE(std::any_of(replay.events.begin(), replay.events.end(), [](const InputEvent& e) {
        return e.player == 0;
    })) << "player 1's keys were not recorded";
    testing::internal::CaptureStdout();
    EXPECT_EQ(runHeadlessReplay(), 0);
    std::string replayed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(replayed, live);
    std::remove(path);
}

}  // namespace
