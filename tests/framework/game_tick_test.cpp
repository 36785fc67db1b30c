#include "test_game.h"

namespace {

class EndCountdown : public FrameworkTest {};

TEST_F(EndCountdown, GameOverComesEndTicksAfterCheckEndStartsIt) {
    game.endOnCheck = 1;
    game.tick();
    ASSERT_EQ(game.endCountdown, 250);
    for (int i = 1; i < actorKinds.endTicks; ++i) {
        game.tick();
        ASSERT_FALSE(game.gameOver) << "after " << i << " ticks of countdown";
    }
    game.tick();
    EXPECT_TRUE(game.gameOver);
    EXPECT_EQ(game.endCountdown, 0);
}

TEST_F(EndCountdown, CheckEndIsAskedEveryTickUntilTheCountdownStarts) {
    game.endOnCheck = 3;
    for (int i = 0; i < 3 + actorKinds.endTicks; ++i) game.tick();
    EXPECT_EQ(game.endChecks, 3);
    EXPECT_TRUE(game.gameOver);
}

class GameTick : public FrameworkTest {};

TEST_F(GameTick, TickCountAndFlashTimerAdvanceOncePerTick) {
    game.flashTimer = 2;
    for (int i = 0; i < 3; ++i) game.tick();
    EXPECT_EQ(game.tickCount, 3u);
    EXPECT_EQ(game.flashTimer, 0);
}

class GameRandom : public ::testing::Test {};

TEST_F(GameRandom, CountedDrawsAreCountedAndCosmeticOnesNot) {
    TestGame game(7);
    game.randomDraw();
    game.randomBelow(10);
    game.cosmeticRandomDraw();
    game.cosmeticRandomBelow(10);
    EXPECT_EQ(game.gameRandomDraws, 2);
}

TEST_F(GameRandom, StreamsSeededAlikeYieldTheSameSequence) {
    TestGame game(99);
    for (int i = 0; i < 50; ++i) ASSERT_EQ(game.cosmeticRandomDraw(), game.randomDraw()) << i;
}

TEST_F(GameRandom, StreamsAreSeededWithTheGameSeed) {
    TestGame game(2024);
    RandomStream reference(2024);
    EXPECT_EQ(game.randomDraw(), reference.draw());
    TestGame other(2025);
    EXPECT_NE(other.randomDraw(), RandomStream(2024).draw());
}

TEST_F(GameRandom, BelowIsTheDrawModuloN) {
    TestGame game(5);
    RandomStream reference(5);
    for (unsigned n = 1; n < 40; ++n) ASSERT_EQ(game.randomBelow(n), reference.draw() % n);
    RandomStream cosmeticReference(5);
    for (unsigned n = 1; n < 40; ++n) ASSERT_EQ(game.cosmeticRandomBelow(n), cosmeticReference.draw() % n);
}

}  // namespace
