#include <gtest/gtest.h>


#include "app/platform/key_codes.h"
#include "app/saved/save_policy.h"
#include "app/session/session.h"
#include "app/window/game.h"
#include "app/window/lifecycle.h"
#include "app/window/main_loop.h"
#include "app/window/menu.h"
#include "framework/game_entry.h"
#include "games/pawtrap_test_support.h"

namespace {

// A key pressed on the menu, turned into actions as the frame turns it.
void menuKeyDown(int key) {
    const Actions actions = keyActions(key, true, InputContext::Menu);
    for (int i = 0; i < actions.count; ++i) performAction(actions.list[i]);
}

constexpr MenuSpark parkedSpark = {0, 99 * 64, 0, true};  // still, in the top left corner
constexpr int yarnballId = 2;

int cellAt(int x, int y) { return canvas.cells[cellIndex(x, y)]; }

// A respawned spark took its row, direction and speed from the next draws, in that order, and
// enters from the side it moves away from.
void expectRespawned(const MenuSpark& spark, RandomStream& probe) {
    EXPECT_EQ(spark.y, static_cast<int>(probe.below(100)) * 64);
    bool rightward = probe.below(2) == 0;
    int speed = static_cast<int>(probe.below(16)) + 8;
    EXPECT_EQ(spark.rightward, rightward);
    EXPECT_EQ(spark.speed, rightward ? speed : -speed);
    EXPECT_EQ(spark.x, rightward ? 0 : 10240);
}

class Menu : public ::testing::Test {
protected:
    void SetUp() override {
        resetCatGameApplication();
        for (MenuSpark& spark : menuSparks) spark = parkedSpark;
    }

    void TearDown() override {
        if (inGame()) endGame();
    }

    void drawAtFrame(uint32_t frame) {
        clearCanvas();
        app.frameCount = frame;
        drawMenu();
    }
};

TEST_F(Menu, BestScoreShownAfterAGameScoringSeven) {
    gameResults[0].bestScore = 7;
    drawAtFrame(1);
    for (int y = 2; y <= 6; ++y) EXPECT_EQ(cellAt(2, y), 6) << y;    // the stem of the b
    for (int x = 48; x <= 50; ++x) EXPECT_EQ(cellAt(x, 6), 7) << x;  // the top of the 7
    EXPECT_EQ(cellAt(48, 2), 7);
    EXPECT_EQ(cellAt(47, 6), 0);
}

TEST_F(Menu, NoBestScoreBeforeAnyScore) {
    gameResults[0].bestScore = 0;
    drawAtFrame(1);
    for (int x = 0; x < 100; ++x) {
        for (int y = 0; y <= 6; ++y) EXPECT_EQ(cellAt(x, y), 0) << x << "," << y;
    }
}

TEST_F(Menu, CreditLineAtColumn104) {
    drawAtFrame(1);
    for (int y = 3; y <= 6; ++y) EXPECT_EQ(cellAt(104, y), 8) << y;  // the left stroke of the v
    EXPECT_EQ(cellAt(104, 2), 0);
    EXPECT_EQ(cellAt(103, 3), 0);
}

TEST_F(Menu, TitleIsDoubleSizeAndCentred) {
    drawAtFrame(1);
    // "whiskerwaltz" is 49 cells wide, so at double size it starts at column 31.
    EXPECT_EQ(cellAt(31, 97), 8);
    EXPECT_EQ(cellAt(32, 96), 8);
    EXPECT_EQ(cellAt(30, 97), 0);
}

TEST_F(Menu, CursorItemIsLitInTheLastFourFramesOfTen) {
    app.menuCursor = 0;
    drawAtFrame(16);
    EXPECT_EQ(cellAt(70, 20), 6);  // bottom left of the s of "start"
    EXPECT_EQ(cellAt(73, 12), 5);  // bottom left of the e of "exit"
    drawAtFrame(15);
    EXPECT_EQ(cellAt(70, 20), 5);
    drawAtFrame(20);
    EXPECT_EQ(cellAt(70, 20), 5);
    EXPECT_EQ(cellAt(73, 12), 5);
    app.menuCursor = 1;
    drawAtFrame(19);
    EXPECT_EQ(cellAt(70, 20), 5);
    EXPECT_EQ(cellAt(73, 12), 6);
}

TEST_F(Menu, UpAndDownMoveTheCursorWithoutWrapping) {
    app.menuCursor = 1;
    menuKeyDown('w');
    EXPECT_EQ(app.menuCursor, 0);
    menuKeyDown(keyArrowUp);
    EXPECT_EQ(app.menuCursor, 0);
    menuKeyDown('s');
    EXPECT_EQ(app.menuCursor, 1);
    menuKeyDown(keyArrowDown);
    EXPECT_EQ(app.menuCursor, 1);
    menuKeyDown(keyArrowUp);
    EXPECT_EQ(app.menuCursor, 0);
    menuKeyDown(keyArrowDown);
    EXPECT_EQ(app.menuCursor, 1);
}

// Two games: every sideways key of either player moves to the other one, wrapping around, and
// the palette takes the new game's colours at once; the cursor stays.
TEST_F(Menu, SidewaysKeysSwitchGamesWrappingAroundWithTheirColours) {
    app.menuCursor = 1;
    const int expected[] = {yarnballId, 0, yarnballId, 0};
    const int keys[] = {'d', keyArrowRight, 'a', keyArrowLeft};
    for (int i = 0; i < 4; ++i) {
        menuKeyDown(keys[i]);
        ASSERT_EQ(selectedEntry->id, expected[i]) << i;
        ASSERT_EQ(selectedEntry->id, expected[i]);
        for (int e = 0; e < paletteSize; ++e) {
            EXPECT_NEAR(currentPalette.rgb[e][1][2], selectedEntry->baseColors[e][2], 0.081f) << e;
        }
    }
    EXPECT_EQ(app.menuCursor, 1);
    EXPECT_FALSE(inGame());
    EXPECT_EQ(app.quitFade, 0);
}

// At the title's size, the "<" four columns in from the left edge and the ">" four in from
// the right one; their middle rows are full.
TEST_F(Menu, ArrowsStandFourColumnsInFromEitherEdge) {
    drawAtFrame(1);
    for (int x : {4, 13, 146, 155}) EXPECT_EQ(cellAt(x, 92), 8) << x;
    for (int x : {3, 14, 145, 156}) EXPECT_EQ(cellAt(x, 92), 0) << x;
}

// Each game keeps its own result for the run: the cat game its best score, yarnball its last.
TEST_F(Menu, YarnballShowsItsLastResultAndTheCatGameItsBestScore) {
    gameResults[0].bestScore = 7;
    menuKeyDown(keyArrowRight);
    drawAtFrame(1);
    EXPECT_EQ(cellAt(2, 2), 0) << "no yarnball game has ended";
    app.menuCursor = 0;
    menuKeyDown(keyReturn);
    ASSERT_TRUE(inGame());
    session.game->players[0].score = 5;
    session.game->players[1].score = 3;
    endGame();
    EXPECT_EQ(selectedEntry->id, yarnballId);
    drawAtFrame(1);
    for (int y = 2; y <= 6; ++y) EXPECT_EQ(cellAt(2, y), 6) << y;    // the l of "last: "
    for (int x = 23; x <= 25; ++x) EXPECT_EQ(cellAt(x, 6), 7) << x;  // the top of the 5
    EXPECT_EQ(cellAt(22, 6), 0);
    menuKeyDown(keyArrowLeft);
    drawAtFrame(1);
    for (int x = 48; x <= 50; ++x) EXPECT_EQ(cellAt(x, 6), 7) << x;  // the top of the cat's 7
}

TEST_F(Menu, EnterOnStartStartsAGame) {
    app.menuCursor = 0;
    menuKeyDown(keyReturn);
    EXPECT_TRUE(inGame());
    ASSERT_NE(session.game, nullptr);
    EXPECT_EQ(app.quitFade, 0);
}

TEST_F(Menu, SpaceOnExitStartsTheQuit) {
    app.menuCursor = 1;
    menuKeyDown(keySpace);
    EXPECT_EQ(app.quitFade, 20);
    EXPECT_EQ(app.quitCountdown, 5);
    EXPECT_FALSE(inGame());
}

TEST_F(Menu, SeedingDrawsColumnRowDirectionAndSpeedInOrder) {
    RandomStream probe = appRandomSource;
    seedMenuSparks();
    for (const MenuSpark& spark : menuSparks) {
        EXPECT_EQ(spark.x, static_cast<int>(probe.below(160)) * 64);
        EXPECT_EQ(spark.y, static_cast<int>(probe.below(100)) * 64);
        bool rightward = probe.below(2) == 0;
        int speed = static_cast<int>(probe.below(16)) + 8;
        EXPECT_EQ(spark.rightward, rightward);
        EXPECT_EQ(spark.speed, rightward ? speed : -speed);
    }
}

TEST_F(Menu, SparkLeavingOnTheRightRespawnsInTheSameUpdate) {
    menuSparks[0] = {10200, 10 * 64, 23, true};
    updateMenuSparks();
    EXPECT_EQ(menuSparks[0].x, 10223);
    drawAtFrame(1);
    EXPECT_EQ(cellAt(159, 10), 1);

    RandomStream probe = appRandomSource;
    updateMenuSparks();
    expectRespawned(menuSparks[0], probe);
}

TEST_F(Menu, SparkReachingColumn160RespawnsAtOnce) {
    menuSparks[0] = {10230, 10 * 64, 10, true};
    RandomStream probe = appRandomSource;
    updateMenuSparks();
    expectRespawned(menuSparks[0], probe);
}

TEST_F(Menu, SparkLeavingOnTheLeftRespawns) {
    menuSparks[0] = {5, 10 * 64, -8, false};
    RandomStream probe = appRandomSource;
    updateMenuSparks();
    expectRespawned(menuSparks[0], probe);
}

TEST_F(Menu, SparkJustBeyondTheRightEdgeIsNotDrawn) {
    menuSparks[0] = {10240, 50 * 64, -10, false};
    drawAtFrame(1);
    EXPECT_EQ(cellAt(159, 50), 0);
    updateMenuSparks();
    drawAtFrame(1);
    EXPECT_EQ(cellAt(159, 50), 4);
}

}  // namespace
