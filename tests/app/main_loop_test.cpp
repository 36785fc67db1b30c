#include <gtest/gtest.h>


#include "app/platform/key_codes.h"
#include "app/saved/save_policy.h"
#include "app/saved/settings.h"
#include "app/session/session.h"
#include "app/window/app_state.h"
#include "app/window/frame_stats.h"
#include "app/window/lifecycle.h"
#include "app/window/main_loop.h"
#include "app/window/pause.h"
#include "framework/game_state.h"
#include "graphics/canvas.h"
#include "support/fake_platform.h"

namespace {

// A game that only counts what the frame asks of it.
class CountingGame : public GameState {
public:
    CountingGame() : GameState(1) {}
    void tick() override {
        GameState::tick();
        ++ticks;
    }
    void draw() override { ++draws; }
    int checkEnd() override { return 0; }
    int ticks = 0;
    int draws = 0;
};

class MainLoop : public ::testing::Test {
protected:
    void SetUp() override {
        resetApplication();
        beginLoop(locals);
    }
    void TearDown() override { session.game.reset(); }

    CountingGame& enterTestGame() {
        playTestGame(std::make_unique<CountingGame>());
        return static_cast<CountingGame&>(*session.game);
    }
    // One pass that starts `ms` after the previous one.
    bool passAfter(uint32_t ms) {
        fakePlatform.now += ms;
        return runPass(locals);
    }

    LoopLocals locals;
};

TEST_F(MainLoop, StatsPrintOneLineOnceFiveSecondsOfTheFrameClockHavePassedCountingGameTicksOnly) {
    frameStats.enabled = true;
    beginLoop(locals);
    enterTestGame();
    fakePlatform.cpuMicroseconds = 2500000;
    testing::internal::CaptureStderr();
    for (int i = 0; i < 135; ++i) passAfter(18);
    togglePause();  // the frames go on, the game's ticks stop
    for (int i = 0; i < 135; ++i) passAfter(18);
    for (int i = 0; i < 3; ++i) passAfter(36);  // one frame each
    const std::string early = testing::internal::GetCapturedStderr();
    testing::internal::CaptureStderr();
    passAfter(36);
    passAfter(18);
    const std::string line = testing::internal::GetCapturedStderr();
    frameStats = FrameStats{};
    EXPECT_EQ(early, "") << "4968 ms is not yet 5 s";
    // 274 frames and 135 game ticks in 5004 ms, 2.5 s of CPU.
    EXPECT_EQ(line, "tandrel: 54.8 frames/s, 27.0 ticks/s, CPU 50.0 % of one core\n");
}

TEST_F(MainLoop, SeventeenMillisecondsRunNoTickAndTheNextMillisecondRunsOne) {
    CountingGame& game = enterTestGame();
    passAfter(17);
    EXPECT_EQ(game.ticks, 0);
    EXPECT_EQ(fakePlatform.presented, 0);
    passAfter(1);
    EXPECT_EQ(game.ticks, 1);
    EXPECT_EQ(fakePlatform.presented, 1);
}

TEST_F(MainLoop, StallRunsEveryMissedTickThenOneFrameAndCarriesTheRest) {
    CountingGame& game = enterTestGame();
    passAfter(100);
    EXPECT_EQ(game.ticks, 5);
    EXPECT_EQ(game.draws, 1);
    EXPECT_EQ(fakePlatform.presented, 1);
    EXPECT_EQ(locals.accumulator, 10u);
}

TEST_F(MainLoop, RemainderCarriesAcrossPasses) {
    CountingGame& game = enterTestGame();
    const uint32_t gaps[] = {10, 10, 10, 10};
    const int ticksAfter[] = {0, 1, 1, 2};
    for (int i = 0; i < 4; ++i) {
        passAfter(gaps[i]);
        EXPECT_EQ(game.ticks, ticksAfter[i]) << "after pass " << i;
    }
    EXPECT_EQ(locals.accumulator, 4u);
}

TEST_F(MainLoop, ClockWrapIsHarmless) {
    fakePlatform.now = 0xFFFFFFF0u;
    beginLoop(locals);
    CountingGame& game = enterTestGame();
    passAfter(36);
    EXPECT_EQ(game.ticks, 2);
}

TEST_F(MainLoop, SleepsNineWithoutATickSixWithOneAndOneWhenBehind) {
    passAfter(5);
    passAfter(18);
    passAfter(18);
    passAfter(40);
    passAfter(5);
    std::vector<uint32_t> expected = {9, 1, 6, 1, 9};
    EXPECT_EQ(fakePlatform.delays, expected);
}

TEST_F(MainLoop, NeverSleepsLongTwiceInARow) {
    const uint32_t gaps[] = {0, 3, 18, 20, 1, 0, 36, 2, 17, 18, 19, 5, 5, 5, 60, 0, 18, 18};
    for (uint32_t gap : gaps) passAfter(gap);
    for (size_t i = 1; i < fakePlatform.delays.size(); ++i) {
        EXPECT_FALSE(fakePlatform.delays[i - 1] > 1 && fakePlatform.delays[i] > 1) << "at pass " << i;
    }
}

TEST_F(MainLoop, FocusLossThenKeySwallowsTheKeyAndStillDraws) {
    fakePlatform.events = {focus(false), keyDown('s')};
    passAfter(18);
    EXPECT_EQ(app.menuCursor, 0);
    EXPECT_EQ(fakePlatform.presented, 1);
}

TEST_F(MainLoop, FocusLossAloneSkipsTheFrameOfItsPassOnly) {
    fakePlatform.events = {focus(false)};
    passAfter(18);
    EXPECT_EQ(fakePlatform.presented, 0);
    passAfter(18);
    EXPECT_EQ(fakePlatform.presented, 1);
}

TEST_F(MainLoop, KeyReleaseReachesTheGameAfterASwallowedPress) {
    CountingGame& game = enterTestGame();
    fakePlatform.events = {focus(false), keyDown('w'), keyUp('w')};
    passAfter(18);
    EXPECT_EQ(game.events.size(), 0u);  // the release was queued and dispatched by the tick
    EXPECT_TRUE(game.players[0].heldButtons.empty());
    EXPECT_EQ(session.eventSequence, 0);  // reset before the tick that followed the release
}

TEST_F(MainLoop, EscapeInAGameSendsTheNextKeyOfTheBatchToTheMenu) {
    CountingGame& game = enterTestGame();
    game.players[0].score = 300;
    fakePlatform.events = {keyDown(keyEscape), keyDown('s')};
    passAfter(18);
    EXPECT_FALSE(inGame());
    EXPECT_EQ(session.game, nullptr);
    EXPECT_EQ(gameResults[0].bestScore, 300);
    EXPECT_EQ(app.menuCursor, 1);
}

TEST_F(MainLoop, AGameEndedWithScoreZeroLeavesTheBestScore) {
    gameResults[0].bestScore = 700;
    enterTestGame();
    fakePlatform.events = {keyDown(keyEscape)};
    passAfter(18);
    EXPECT_EQ(gameResults[0].bestScore, 700);
}

TEST_F(MainLoop, QuitSequenceTakesTwentyFourPassesDrawingTwiceAndReadingNothing) {
    fakePlatform.events = {keyDown(keyEscape)};
    ASSERT_TRUE(passAfter(18));
    EXPECT_EQ(app.quitFade, 19);
    int passes = 1;
    int pollsAtStart = fakePlatform.polls;
    fakePlatform.events = {keyDown(keyReturn), quitEvent()};
    while (passAfter(18)) ++passes;
    EXPECT_EQ(passes, 24);
    EXPECT_EQ(fakePlatform.polls, pollsAtStart);
    EXPECT_EQ(fakePlatform.presented, 2 * 24);  // the ending pass draws nothing
    EXPECT_EQ(app.quitCountdown, 1);
    EXPECT_FALSE(inGame());
}

TEST_F(MainLoop, QuitEventEndsTheLoopWithoutTheRestOfThePass) {
    CountingGame& game = enterTestGame();
    fakePlatform.events = {quitEvent(), keyDown('s')};
    EXPECT_FALSE(passAfter(100));
    EXPECT_EQ(game.ticks, 0);
    EXPECT_EQ(fakePlatform.presented, 0);
    EXPECT_TRUE(fakePlatform.delays.empty());
    EXPECT_EQ(fakePlatform.events.size(), 1u);
}

TEST_F(MainLoop, EverySeveralTickPassResetsTheSequenceBeforeEachTick) {
    CountingGame& game = enterTestGame();
    session.eventSequence = 77;
    passAfter(54);
    EXPECT_EQ(game.ticks, 3);
    EXPECT_EQ(session.eventSequence, 0);
}

TEST_F(MainLoop, GameOverIsSeenOnceAfterTheWholeBatch) {
    CountingGame& game = enterTestGame();
    game.endCountdown = 2;  // over on the second tick
    passAfter(90);
    EXPECT_FALSE(inGame());
    EXPECT_EQ(fakePlatform.presented, 1);
}

TEST_F(MainLoop, StartingAGameDropsThePassTicksAndGivesItOneTickFirst) {
    fakePlatform.events = {keyDown(keyReturn)};
    passAfter(36);
    ASSERT_TRUE(inGame());
    EXPECT_EQ(session.game->tickCount, 1u);
    EXPECT_EQ(fakePlatform.keyRepeatDelay, 0);
    passAfter(18);  // absorbed by the tick given at creation
    EXPECT_EQ(session.game->tickCount, 1u);
    passAfter(18);
    EXPECT_EQ(session.game->tickCount, 2u);
}

TEST_F(MainLoop, ShutdownDuringAGameRecordsTheScore) {
    CountingGame& game = enterTestGame();
    game.players[0].score = 42;
    appShutdown();
    EXPECT_FALSE(inGame());
    EXPECT_EQ(gameResults[0].bestScore, 42);
}

TEST_F(MainLoop, PrintScreenSavesOnTheMenuAndInAGame) {
    fakePlatform.events = {keyDown(keyPrintScreen), keyUp(keyPrintScreen)};
    passAfter(18);
    enterTestGame();
    fakePlatform.events = {keyDown(keyPrintScreen)};
    passAfter(18);
    EXPECT_EQ(fakePlatform.screenshots, 2);
    EXPECT_TRUE(inGame());
}

TEST_F(MainLoop, HoldingPrintScreenSavesOncePerPress) {
    fakePlatform.events = {keyDown(keyPrintScreen), keyDown(keyPrintScreen)};
    passAfter(18);
    fakePlatform.events = {keyDown(keyPrintScreen), keyUp(keyPrintScreen), keyDown(keyPrintScreen)};
    passAfter(18);
    EXPECT_EQ(fakePlatform.screenshots, 2);
}

// Pausing holds the game's ticks but not the frames, and resuming does not catch up the pause.
TEST_F(MainLoop, PauseHoldsTheTicksWhileTheDimmedPictureGoesOn) {
    CountingGame& game = enterTestGame();
    fakePlatform.events = {keyDown('p'), keyUp('p')};
    passAfter(18);
    passAfter(180);
    EXPECT_EQ(game.ticks, 0);
    EXPECT_EQ(fakePlatform.presented, 2);
    EXPECT_TRUE(graphicsInputs.dimmed);
    fakePlatform.events = {keyDown('p')};
    passAfter(18);
    EXPECT_EQ(game.ticks, 1);
    EXPECT_FALSE(graphicsInputs.dimmed);
    fakePlatform.events = {keyDown('p'), keyDown(keyEscape)};
    passAfter(18);
    EXPECT_FALSE(inGame());
    EXPECT_FALSE(session.paused);
}

// A key let go in another window would never reach the game: a focus loss that lasts lets it
// go, as an ordinary release at the tick it is let go, and pauses. A loss the focus comes back
// from at once (a desktop's shuffle, a new video mode's window) changes nothing.
TEST_F(MainLoop, LastingFocusLossReleasesHeldKeysAndPauses) {
    CountingGame& game = enterTestGame();
    fakePlatform.events = {keyDown('w'), focus(false)};
    passAfter(18);
    fakePlatform.events = {focus(true)};
    passAfter(180);
    EXPECT_FALSE(session.paused);
    EXPECT_EQ(game.players[0].heldButtons.size(), 1u);
    fakePlatform.events = {focus(false)};
    passAfter(18);
    passAfter(180);
    EXPECT_FALSE(session.paused) << "gone for 180 ms";
    passAfter(20);
    EXPECT_TRUE(session.paused);
    ASSERT_EQ(game.events.size(), 1u);
    EXPECT_EQ(game.events.begin()->type, releaseEvent);
    EXPECT_EQ(game.events.begin()->tick, 22u);
    fakePlatform.events = {focus(true), keyDown('p'), keyUp('w')};
    passAfter(18);
    EXPECT_EQ(game.ticks, 23);
    EXPECT_TRUE(game.players[0].heldButtons.empty());
}

TEST_F(MainLoop, VolumeKeysStepMuteAndKeepTheLevel) {
    fakePlatform.events = {keyDown(keyF10), keyDown(keyF9), keyDown(keyF9), keyDown('m')};
    passAfter(18);
    EXPECT_FALSE(inGame()) << "no volume key chooses";
    EXPECT_EQ(settings.volume, 80);
    EXPECT_EQ(outputVolume.load(), 0);
    fakePlatform.events = {keyDown(keyF10)};
    passAfter(18);
    EXPECT_EQ(outputVolume.load(), 90);
    outputVolume = fullOutputVolume;
}

}  // namespace
