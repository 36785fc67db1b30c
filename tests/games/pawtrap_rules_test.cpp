#include <gtest/gtest.h>

#include <cmath>

#include "framework/effect.h"
#include "games/pawtrap_test_support.h"

namespace {

constexpr uint32_t gameSeed = 4242u;

class PawtrapRules : public ::testing::Test {
protected:
    void SetUp() override {
        resetCatGameApplication();
        game = std::make_unique<Pawtrap>(gameSeed);
    }

    Actor& mouse() { return mouseOf(*game); }

    // Puts the left paw on the mouse's cell (so fleeing pushes neither way) and the right paw far
    // off, and presets the velocity so that after the jitter it is (vx, vy); then runs the hook.
    void steer(int vx, int vy) {
        Actor& m = mouse();
        placePaw(*game, 0, m.x / 64, m.y / 64);
        placePaw(*game, 1, 152, 8);
        RandomStream probe = game->gameRandom;
        int jitterX = static_cast<int>(probe.below(3)) - 1;
        int jitterY = static_cast<int>(probe.below(3)) - 1;
        m.vx = vx - jitterX;
        m.vy = vy - jitterY;
        mouseHook(m, *game);
    }

    void hold(int player, std::initializer_list<int> buttons) {
        game->players[player].heldButtons.assign(buttons);
    }

    std::unique_ptr<Pawtrap> game;
};

TEST_F(PawtrapRules, PawsMouseAndTailStartInTheirPlaces) {
    EXPECT_EQ(game->players[0].x, 50);
    EXPECT_EQ(game->players[0].y, 52);
    EXPECT_EQ(game->players[1].x, 110);
    EXPECT_EQ(game->players[1].y, 48);
    ASSERT_EQ(game->actors.size(), 1u);
    EXPECT_EQ(mouse().id, 1);
    EXPECT_EQ(mouse().x, 5120);
    EXPECT_EQ(mouse().y, 4800);
    EXPECT_EQ(mouse().health, 2);
    for (const TailVector& point : game->tailPoints) {
        EXPECT_EQ(point.x, 80.0f);
        EXPECT_EQ(point.y, 75.0f);
    }
    EXPECT_EQ(game->fear, 0);
    EXPECT_EQ(game->stress, 0);
    EXPECT_EQ(game->gameRandomDraws, 0);
}

TEST_F(PawtrapRules, StandingMouseReachedByBothPawsScoresNothing) {
    placePaw(*game, 0, 75, 75);
    placePaw(*game, 1, 85, 70);
    mouseHook(mouse(), *game);
    EXPECT_EQ(game->players[0].score, 0);
    EXPECT_EQ(game->fear, 0);
    EXPECT_EQ(game->stress, 0);
    EXPECT_EQ(game->gameRandomDraws, 0);
}

TEST_F(PawtrapRules, MovingMouseScoresOnceThenStaysFrozen) {
    placePaw(*game, 0, 75, 75);
    placePaw(*game, 1, 85, 70);
    mouse().vx = 30;
    mouse().vy = -20;
    mouseHook(mouse(), *game);
    EXPECT_EQ(game->players[0].score, 100);
    EXPECT_EQ(game->fear, 50);
    EXPECT_EQ(game->stress, 90);
    for (int t = 0; t < 5; ++t) mouseHook(mouse(), *game);
    EXPECT_EQ(game->players[0].score, 100);
    EXPECT_EQ(mouse().x, 5120);
    EXPECT_EQ(mouse().y, 4800);
    EXPECT_EQ(game->gameRandomDraws, 0);
}

TEST_F(PawtrapRules, PawSixteenCellsAwayDoesNotTrap) {
    placePaw(*game, 0, 75, 75);
    placePaw(*game, 1, 90, 81);  // 10 + 6 = 16
    mouse().vx = 30;
    mouseHook(mouse(), *game);
    EXPECT_EQ(game->players[0].score, 0);
    EXPECT_GE(game->gameRandomDraws, 4);  // jitter and flee drew
}

TEST_F(PawtrapRules, LeftPawStopsSeventeenColumnsShortOfTheRightPaw) {
    placePaw(*game, 0, 50, 50);
    placePaw(*game, 1, 70, 50);
    hold(0, {3});
    for (int t = 0; t < 6; ++t) game->movePaws();
    EXPECT_EQ(game->players[0].x, 53);
    EXPECT_EQ(game->players[1].x, 70);
}

TEST_F(PawtrapRules, RightPawStopsSeventeenColumnsShortOfTheLeftPaw) {
    placePaw(*game, 0, 50, 50);
    placePaw(*game, 1, 70, 50);
    hold(1, {6});
    for (int t = 0; t < 6; ++t) game->movePaws();
    EXPECT_EQ(game->players[1].x, 67);
    EXPECT_EQ(game->players[0].x, 50);
}

TEST_F(PawtrapRules, LeftPawMovesFirstWithinATick) {
    placePaw(*game, 0, 50, 50);
    placePaw(*game, 1, 68, 50);
    hold(0, {3});
    hold(1, {6});
    game->movePaws();
    EXPECT_EQ(game->players[0].x, 51);
    EXPECT_EQ(game->players[1].x, 68);
}

TEST_F(PawtrapRules, PawsStayBetweenRowsEightAndNinetyThree) {
    placePaw(*game, 0, 50, 92);
    placePaw(*game, 1, 110, 9);
    hold(0, {0});
    hold(1, {5});
    for (int t = 0; t < 3; ++t) game->movePaws();
    EXPECT_EQ(game->players[0].y, 93);
    EXPECT_EQ(game->players[1].y, 8);
    hold(0, {1});
    hold(1, {4});
    game->movePaws();
    EXPECT_EQ(game->players[0].y, 92);
    EXPECT_EQ(game->players[1].y, 9);
}

TEST_F(PawtrapRules, PawsStayBetweenColumnsEightAndOneFiftyTwo) {
    placePaw(*game, 0, 9, 50);
    placePaw(*game, 1, 151, 50);
    hold(0, {2});
    hold(1, {7});
    for (int t = 0; t < 3; ++t) game->movePaws();
    EXPECT_EQ(game->players[0].x, 8);
    EXPECT_EQ(game->players[1].x, 152);
}

TEST_F(PawtrapRules, PressQueuedBetweenTicksMovesThePawInTheNextTick) {
    game->events.insert(InputEvent{game->tickCount, 0, 1, pressEvent, 0});
    game->events.insert(InputEvent{game->tickCount, 1, 2, pressEvent, 7});
    game->tick();
    EXPECT_EQ(game->players[0].y, 53);
    EXPECT_EQ(game->players[1].x, 111);
}

TEST_F(PawtrapRules, MouseBouncesOffTheLeftWall) {
    placeMouse(mouse(), 8, 50);
    mouse().x += 1;
    steer(-3, 0);
    EXPECT_EQ(mouse().x, 512);
    EXPECT_EQ(mouse().vx, 4);
}

TEST_F(PawtrapRules, MouseBouncesOffTheRightWallAtColumn152) {
    placeMouse(mouse(), 151, 50);
    mouse().x += 63;
    steer(3, 0);
    EXPECT_EQ(mouse().x, 152 * 64);
    EXPECT_EQ(mouse().vx, -4);
}

TEST_F(PawtrapRules, MouseBouncesOffTheFloorAndTheTop) {
    placeMouse(mouse(), 50, 8);
    steer(0, -5);
    EXPECT_EQ(mouse().y, 512);
    EXPECT_EQ(mouse().vy, 7);
    placeMouse(mouse(), 50, 92);
    steer(0, 5);
    EXPECT_EQ(mouse().y, 92 * 64);
    EXPECT_EQ(mouse().vy, -7);
}

TEST_F(PawtrapRules, FearOf1999LeavesTheMouseAlive) {
    placePaw(*game, 0, 8, 8);
    placePaw(*game, 1, 152, 8);
    game->fear = 1999;
    game->tick();
    EXPECT_EQ(game->fear, 1999);
    EXPECT_EQ(game->actors.size(), 1u);
    EXPECT_EQ(game->endCountdown, 0);
    EXPECT_TRUE(game->effects.empty());
}

TEST_F(PawtrapRules, FearOf2000KillsTheMouseAndEndsTheGame) {
    placePaw(*game, 0, 8, 8);
    placePaw(*game, 1, 152, 8);
    game->fear = 2000;
    game->tick();
    EXPECT_TRUE(game->actors.empty());
    EXPECT_EQ(game->effects.size(), 64u + 32u);
    EXPECT_EQ(game->endCountdown, 250);
    for (int t = 0; t < 249; ++t) game->tick();
    EXPECT_FALSE(game->gameOver);
    game->tick();
    EXPECT_TRUE(game->gameOver);
}

TEST_F(PawtrapRules, FearCrossingInsideTheHookEndsNowAndKillsTheMouseNextTick) {
    placePaw(*game, 0, 60, 75);  // 20 cells: alarming, not close
    placePaw(*game, 1, 152, 8);
    game->fear = 1999;
    game->tick();
    EXPECT_EQ(game->actors.size(), 1u);
    EXPECT_EQ(game->endCountdown, 250);
    ASSERT_EQ(game->effects.size(), 32u);
    for (const auto& effect : game->effects) {
        EXPECT_EQ(effect->type, sparkEffect);
        EXPECT_EQ(effect->value, 4);
    }
    game->tick();
    EXPECT_TRUE(game->actors.empty());
    EXPECT_EQ(game->effects.size(), 32u + 64u);
}

TEST_F(PawtrapRules, TailBurstsIntoSparksAtItsPoints) {
    for (int k = 0; k < tailLength; ++k) game->tailPoints[k] = {10.0f + k, 20.7f};
    game->fear = 2000;
    game->checkEnd();
    ASSERT_EQ(game->effects.size(), 32u);
    int k = 0;
    for (const auto& effect : game->effects) {
        EXPECT_EQ(effect->x / 64, 10 + k);
        EXPECT_EQ(effect->y / 64, 20);
        ++k;
    }
}

TEST_F(PawtrapRules, NoCalmingWhileStressIsFiveOrLess) {
    placePaw(*game, 0, 8, 8);
    placePaw(*game, 1, 152, 8);
    game->fear = 100;
    game->stress = 5;
    mouseHook(mouse(), *game);
    EXPECT_EQ(game->fear, 100);
    EXPECT_EQ(game->stress, 5);
}

TEST_F(PawtrapRules, FarPawsCalmAStressedMouse) {
    placePaw(*game, 0, 8, 8);
    placePaw(*game, 1, 152, 8);
    game->fear = 100;
    game->stress = 6;
    mouseHook(mouse(), *game);
    EXPECT_EQ(game->fear, 96);
    EXPECT_EQ(game->stress, 2);
}

TEST_F(PawtrapRules, PawOnTheMouseFrightensItAsCloseAndAsAlarming) {
    steer(10, 10);
    EXPECT_EQ(game->fear, 4);
    EXPECT_EQ(game->stress, 2);
    EXPECT_EQ(mouse().panic, 1);  // +2 for the alarm, -1 at the end of the tick
    EXPECT_EQ(game->gameRandomDraws, 4);
}

TEST_F(PawtrapRules, StandingMouseRestartsWithPanicAndFourMoreDraws) {
    steer(0, 0);
    EXPECT_EQ(mouse().panic, 2 + 16 - 1);
    EXPECT_EQ(game->gameRandomDraws, 8);
}

struct FacingCase {
    int vx, vy, facing;
    float dx, dy;
};

TEST_F(PawtrapRules, TailRootSitsFourCellsBehindTheMouse) {
    const FacingCase cases[] = {
        {0, -10, 0, 0.0f, 4.0f}, {10, 0, 1, -4.0f, 0.0f}, {0, 10, 2, 0.0f, -4.0f}, {-10, 0, 3, 4.0f, 0.0f}};
    for (const FacingCase& c : cases) {
        steer(c.vx, c.vy);
        EXPECT_EQ(mouse().facing, c.facing);
        EXPECT_EQ(game->tailPoints[0].x, static_cast<float>(mouse().x / 64) + c.dx);
        EXPECT_EQ(game->tailPoints[0].y, static_cast<float>(mouse().y / 64) + c.dy);
    }
}

TEST_F(PawtrapRules, FrozenMouseFacingDownTurnsUp) {
    placePaw(*game, 0, 75, 75);
    placePaw(*game, 1, 85, 75);
    mouse().facing = 0;
    mouseHook(mouse(), *game);
    EXPECT_EQ(mouse().facing, 2);
}

TEST_F(PawtrapRules, FrozenMouseFacingSidewaysKeepsItsFacing) {
    placePaw(*game, 0, 75, 75);
    placePaw(*game, 1, 85, 75);
    for (int facing : {1, 3}) {
        mouse().facing = facing;
        mouseHook(mouse(), *game);
        EXPECT_EQ(mouse().facing, facing);
    }
}

TEST_F(PawtrapRules, StretchedTailLinkIsPulledBackToOnePointFourCells) {
    for (TailVector& point : game->tailPoints) point = {10.0f, 5.0f};
    game->tailPoints[0] = {10.0f, 10.0f};
    game->updateTail();
    EXPECT_FLOAT_EQ(game->tailPoints[1].x, 10.0f);
    EXPECT_FLOAT_EQ(game->tailPoints[1].y, 10.0f - 1.4f + 0.3f * 1.4f);
}

TEST_F(PawtrapRules, EachTailPointFollowsThePointThatMovedBeforeIt) {
    for (TailVector& point : game->tailPoints) point = {10.0f, 0.0f};
    game->tailPoints[0] = {10.0f, 10.0f};
    game->updateTail();
    EXPECT_NEAR(game->tailPoints[2].y, 10.0f - 2 * (1.4f - 0.3f * 1.4f), 1e-4f);
}

TEST_F(PawtrapRules, TickDrawsTheTailAfterTheMouse) {
    game->tick();
    float dx = game->tailPoints[1].x - game->tailPoints[0].x;
    float dy = game->tailPoints[1].y - game->tailPoints[0].y;
    EXPECT_LT(std::sqrt(dx * dx + dy * dy), 1.4f);
}

TEST_F(PawtrapRules, ZeroLengthTailLinkHangsDownAndStaysFinite) {
    for (TailVector& point : game->tailPoints) point = {50.0f, 50.0f};
    game->updateTail();
    EXPECT_EQ(game->tailPoints[1].x, 50.0f);
    EXPECT_LT(game->tailPoints[1].y, 50.0f);
    for (int t = 0; t < 100; ++t) game->updateTail();
    for (int k = 0; k < tailLength; ++k) {
        EXPECT_TRUE(std::isfinite(game->tailPoints[k].x)) << k;
        EXPECT_TRUE(std::isfinite(game->tailPoints[k].y)) << k;
    }
}

class OtherGame : public GameState {
public:
    OtherGame() : GameState(gameSeed) {}
    int checkEnd() override { return 0; }
};

TEST_F(PawtrapRules, CatalogueHookLeavesOtherGamesAlone) {
    OtherGame other;
    Actor* actor = other.createActor();
    actor->vx = 30;
    pawtrapActorHook(*actor, other);
    EXPECT_EQ(actor->x, 5120);
    EXPECT_EQ(other.gameRandomDraws, 0);
    pawtrapActorHook(mouse(), *game);
    EXPECT_GT(game->gameRandomDraws, 0);
}

}  // namespace
