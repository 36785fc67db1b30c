#include <gtest/gtest.h>

#include "app/session/session.h"
#include "app/window/app_state.h"
#include "framework/actor.h"
#include "games/yarnball.h"

namespace {

constexpr int yarnballId = 2;

class YarnballRules : public ::testing::Test {
protected:
    void SetUp() override {
        app = AppState();
        selectGame(yarnballId);
        restoreActorKinds();
        game = std::make_unique<Yarnball>(777u);
        game->serveWait = 0;  // in play
    }

    Actor& ball() { return *game->actors.at(ballId); }

    // The ball at cell (cx, cy) plus (fx, fy) 1/64 cells, standing still.
    void placeBall(int cx, int cy, int fx = 0, int fy = 0) {
        ball().x = cx * 64 + fx;
        ball().y = cy * 64 + fy;
        ball().vx = 0;
        ball().vy = 0;
    }

    void placePaw(int player, int x, int y, PawStep step = {0, 0}) {
        game->players[player].x = x;
        game->players[player].y = y;
        game->pawSteps[player] = step;
    }

    std::unique_ptr<Yarnball> game;
};

// A paw's centre is the middle of its cell: a ball there has dx = dy = 0, so m = 1 and only the
// paw's own step moves it; a still paw stops the ball dead.
TEST_F(YarnballRules, ABallOnThePawsCentreTakesOnlyThePawsStep) {
    placePaw(0, 40, 50);
    placePaw(1, 140, 50);
    placeBall(40, 50, 32, 32);
    ballHook(ball(), *game);
    EXPECT_EQ(ball().vx, 0);
    EXPECT_EQ(ball().vy, 0);
    EXPECT_EQ(ball().owner, 0);
    EXPECT_EQ(ball().panic, 64);
    EXPECT_EQ(game->players[0].timers[batTimer], 10);
    EXPECT_EQ(game->rally, 1);

    game->players[0].timers[batTimer] = 0;
    game->pawSteps[0] = {1, -1};
    ballHook(ball(), *game);
    EXPECT_EQ(ball().vx, 48);
    EXPECT_EQ(ball().vy, -48);
    EXPECT_EQ(ball().panic, 64 + 63);
    EXPECT_EQ(game->rally, 2);
}

TEST_F(YarnballRules, BatSpeedFollowsTheLongerAxisTruncatingTowardZero) {
    placePaw(0, 40, 50);
    placePaw(1, 140, 50);
    placeBall(40, 50, 33, 31);  // dx 1, dy -1: m is 1
    ballHook(ball(), *game);
    EXPECT_EQ(ball().vx, 160);
    EXPECT_EQ(ball().vy, -160);

    game->players[0].timers[batTimer] = 0;
    placeBall(38, 51, 60, 1);  // dx -100, dy 33: 33 x 160 / 100 = 52.8
    game->pawSteps[0] = {0, -1};
    ballHook(ball(), *game);
    EXPECT_EQ(ball().vx, -160);
    EXPECT_EQ(ball().vy, 52 - 48);

    game->players[0].timers[batTimer] = 0;
    placeBall(38, 49, 60, 63);  // dx -100, dy -33: -52.8 truncates to -52
    game->pawSteps[0] = {0, 0};
    ballHook(ball(), *game);
    EXPECT_EQ(ball().vy, -52);
}

TEST_F(YarnballRules, APawReachesFiveCellsAndWaitsTenTicksToBatAgain) {
    placePaw(0, 40, 50);
    placePaw(1, 140, 50);
    placeBall(46, 50);
    ballHook(ball(), *game);
    EXPECT_EQ(game->rally, 0) << "six cells away";
    placeBall(45, 55);
    ballHook(ball(), *game);
    EXPECT_EQ(game->rally, 1) << "five cells away in x and in y";
    placeBall(40, 50);
    game->players[0].timers[batTimer] = 1;
    ballHook(ball(), *game);
    EXPECT_EQ(game->rally, 1) << "a running timer";
}

TEST_F(YarnballRules, WhenBothPawsBatInOneTickPlayerTwosStands) {
    placePaw(0, 76, 50);
    placePaw(1, 84, 50);
    placeBall(80, 50, 32, 32);  // dx +4 cells from player 1, -4 cells from player 2
    ballHook(ball(), *game);
    EXPECT_EQ(ball().vx, -160);
    EXPECT_EQ(ball().owner, 1);
    EXPECT_EQ(ball().panic, 128);
    EXPECT_EQ(game->rally, 2);
    EXPECT_EQ(game->players[0].timers[batTimer], 10);
    EXPECT_EQ(game->players[1].timers[batTimer], 10);
}

// The mouths span rows 36 to 63: a ball leaving the field on row 35 or 64 bounces, on 36 or 63
// it scores, at either end.
TEST_F(YarnballRules, GoalsCountOnRows36To63AndTheBallBouncesOutsideThem) {
    placePaw(0, 8, 92);
    placePaw(1, 152, 8);
    struct Case {
        int y;  // 1/64 cell, the ball's row as it leaves
        bool leftEnd;
        bool goal;
    };
    const Case cases[] = {{35 * 64 + 63, true, false},  {36 * 64, true, true},
                          {63 * 64 + 63, true, true},   {64 * 64, true, false},
                          {35 * 64 + 63, false, false}, {36 * 64, false, true},
                          {63 * 64 + 63, false, true},  {64 * 64, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        SCOPED_TRACE(c.leftEnd ? "left end" : "right end");
        game->players[0].score = 0;
        game->players[1].score = 0;
        game->serveWait = 0;
        ball().x = c.leftEnd ? 520 : 9720;
        ball().y = c.y;
        ball().vx = c.leftEnd ? -20 : 20;
        ball().vy = 0;
        ballHook(ball(), *game);
        const int scorer = c.leftEnd ? 1 : 0;
        EXPECT_EQ(game->players[scorer].score, c.goal ? 1 : 0);
        EXPECT_EQ(game->players[1 - scorer].score, 0);
        if (c.goal) {
            EXPECT_EQ(ball().x, 5120);
            EXPECT_EQ(ball().y, 3200);
            EXPECT_EQ(ball().vx, 0);
            EXPECT_EQ(game->serveWait, serveWaitTicks);
            EXPECT_EQ(game->lastConceder, 1 - scorer);
        } else {
            EXPECT_EQ(ball().x, c.leftEnd ? 512 : 9728);
            EXPECT_EQ(ball().vx, c.leftEnd ? 20 : -20);
        }
    }
}

// The ball waits 56 ticks without moving, then is served at the side that let in the last goal
// with one counted draw; the first serve draws its side first.
TEST_F(YarnballRules, TheServeGoesToWhoeverConcededAfterTheWait) {
    for (int conceder : {-1, 0, 1}) {
        SCOPED_TRACE(conceder);
        game->lastConceder = conceder;
        game->serveWait = serveWaitTicks;
        placeBall(80, 50);
        for (int t = 1; t < serveWaitTicks; ++t) ballHook(ball(), *game);
        EXPECT_EQ(ball().vx, 0);
        RandomStream probe = game->gameRandom;
        const int draws = game->gameRandomDraws;
        ballHook(ball(), *game);
        const bool towardsPlayer1 = conceder < 0 ? probe.draw() % 2 == 0 : conceder == 0;
        EXPECT_EQ(ball().vx, towardsPlayer1 ? -96 : 96);
        EXPECT_EQ(ball().vy, static_cast<int>(probe.below(129)) - 64);
        EXPECT_EQ(game->gameRandomDraws, draws + (conceder < 0 ? 2 : 1));
        EXPECT_EQ(ball().x, 5120) << "the ball does not move in the tick of the serve";
        EXPECT_EQ(game->serveWait, 0);
    }
}

TEST_F(YarnballRules, PawsKeepToTheirHalvesAndRememberTheirStep) {
    placePaw(0, 76, 92);
    placePaw(1, 84, 8);
    game->players[0].heldButtons = {3, 0, 2, 2};  // right, up: at their bounds; left twice
    game->players[1].heldButtons = {6, 5, 4};     // left, down: at their bounds; up
    game->movePaws();
    EXPECT_EQ(game->players[0].x, 74);
    EXPECT_EQ(game->players[0].y, 92);
    EXPECT_EQ(game->pawSteps[0].x, -1);
    EXPECT_EQ(game->pawSteps[0].y, 0);
    EXPECT_EQ(game->players[1].x, 84);
    EXPECT_EQ(game->players[1].y, 9);
    EXPECT_EQ(game->pawSteps[1].x, 0);
    EXPECT_EQ(game->pawSteps[1].y, 1);
}

// Through whole ticks: the fifth goal starts the 250-tick end, during which the ball rests at
// the centre whatever it was doing, and the game is over when it runs out.
TEST_F(YarnballRules, TheFifthGoalWinsAndNothingScoresAfterIt) {
    placePaw(0, 8, 92);
    placePaw(1, 152, 8);
    game->players[1].score = 4;
    ball().x = 520;
    ball().y = 50 * 64;
    ball().vx = -100;
    game->tick();
    EXPECT_EQ(game->players[1].score, 5);
    EXPECT_EQ(game->winner, 1);
    EXPECT_EQ(game->endCountdown, 250);
    for (int t = 0; t < 250; ++t) {
        ball().vx = -100;
        ball().x = 520;
        game->tick();
        ASSERT_EQ(ball().x, 5120);
        ASSERT_EQ(ball().vx, 0);
    }
    EXPECT_EQ(game->players[1].score, 5);
    EXPECT_TRUE(game->gameOver);
}

}  // namespace
