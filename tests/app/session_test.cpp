#include <gtest/gtest.h>

#include <set>

#include "app/session/session.h"
#include "games/catalogue.h"
#include "support/fake_platform.h"

namespace {

// A feed whose inputs for some ticks are late, and that may run ahead of the other side.
class LateFeed : public InputFeed {
public:
    void press(int, int) override {}
    bool queueTick(GameState& game) override { return !late.count(game.tickCount); }
    int32_t msAhead(uint32_t) const override { return ahead; }
    std::set<uint32_t> late;
    int32_t ahead = 0;
};

class GameSession : public ::testing::Test {
protected:
    void SetUp() override {
        resetApplication();
        startSession(*gameCatalogue[0], 1234, feed);
    }
    void TearDown() override { endSession(); }
    LateFeed feed;
};

TEST_F(GameSession, ATickWhoseInputsAreLateWaitsAndRunsWithTheRestOnceTheyCome) {
    feed.late = {3};
    EXPECT_EQ(runDueTicks(5, 100), 3u);
    EXPECT_TRUE(session.waiting);
    EXPECT_EQ(runDueTicks(1, 130), 0u) << "tick 3 still waits";
    feed.late.clear();
    EXPECT_EQ(runDueTicks(0, 220), 3u) << "the ticks that fell due meanwhile run at once";
    EXPECT_FALSE(session.waiting);
    EXPECT_EQ(session.waitedTicks, 1u);
    EXPECT_EQ(session.longestWait, 120u);
}

// 100 ms ahead: two ticks given up at each of the ten looks in 90 ticks of the clock.
TEST_F(GameSession, ASideAheadOfTheOtherLetsTicksOfItsClockGoByEvenWhileItWaits) {
    feed.ahead = 100;
    EXPECT_EQ(runDueTicks(90, 0), 70u);
    feed.ahead = 18;  // a tick ahead is level enough
    EXPECT_EQ(runDueTicks(90, 0), 90u);
    feed.ahead = 100;
    feed.late = {session.game->tickCount};
    EXPECT_EQ(runDueTicks(90, 0), 0u);
    feed.late.clear();
    EXPECT_EQ(runDueTicks(0, 0), 70u) << "the clock gave way while it waited";
}

TEST_F(GameSession, NoTickRunsPastGameOverAndItsLineIsKept) {
    session.game->endCountdown = 1;
    runDueTicks(50, 0);
    EXPECT_TRUE(session.game->gameOver);
    EXPECT_EQ(session.game->tickCount, 1u);
    EXPECT_EQ(sessionLine().rfind("game over: seed 1234 score 0 tick 1 digest ", 0), 0u) << sessionLine();
}

}  // namespace
