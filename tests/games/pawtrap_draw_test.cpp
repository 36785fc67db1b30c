#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/input/key_glyphs.h"
#include "games/pawtrap_test_support.h"
#include "graphics/text.h"

namespace {

int cellAt(int x, int y) { return canvas.cells[cellIndex(x, y)]; }

int countCells(int value) {
    return static_cast<int>(std::count(std::begin(canvas.cells), std::end(canvas.cells), value));
}

float largestAgitation() {
    return *std::max_element(std::begin(vertexGrid.agitation), std::end(vertexGrid.agitation));
}

class PawtrapDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        resetCatGameApplication();
        std::fill(std::begin(vertexGrid.agitation), std::end(vertexGrid.agitation), 0.0f);
        game = std::make_unique<Pawtrap>(99u);
    }

    void drawWithoutMouse() {
        game->actors.clear();
        game->draw();
    }

    std::unique_ptr<Pawtrap> game;
};

TEST_F(PawtrapDrawing, ScoreZeroEndsAtColumn158) {
    drawWithoutMouse();
    EXPECT_EQ(cellAt(154, 96), 5);
    EXPECT_EQ(cellAt(156, 92), 5);
    EXPECT_EQ(cellAt(155, 94), 0);  // the hole of the 0
    EXPECT_EQ(cellAt(153, 92), 0);
    EXPECT_EQ(cellAt(157, 92), 0);  // the glyph's blank column
}

TEST_F(PawtrapDrawing, TailPointsAreTruncatedAndClippedToTheCanvas) {
    for (TailVector& point : game->tailPoints) point = {20.9f, 30.2f};
    game->tailPoints[1] = {160.0f, 40.0f};
    game->tailPoints[2] = {30.0f, -0.5f};
    game->tailPoints[3] = {-0.5f, 60.0f};
    game->tailPoints[4] = {159.9f, 99.9f};
    drawWithoutMouse();
    EXPECT_EQ(cellAt(20, 30), 4);
    EXPECT_EQ(cellAt(30, 0), 4);
    EXPECT_EQ(cellAt(0, 60), 4);
    EXPECT_EQ(cellAt(159, 99), 4);
    EXPECT_EQ(countCells(4), 4);
}

TEST_F(PawtrapDrawing, NoTailDuringTheCountdown) {
    for (TailVector& point : game->tailPoints) point = {20.0f, 30.0f};
    game->endCountdown = 100;
    drawWithoutMouse();
    EXPECT_EQ(cellAt(20, 30), 0);
}

TEST_F(PawtrapDrawing, LeftPawIsTurnedHalfRound) {
    drawWithoutMouse();  // left paw at (50, 52)
    EXPECT_EQ(cellAt(42, 51), 2);
    EXPECT_EQ(cellAt(57, 51), 1);
    EXPECT_EQ(cellAt(54, 44), 1);
    for (int x = 42; x <= 57; ++x) EXPECT_EQ(cellAt(x, 59), 0) << x;  // the paw's empty row
}

TEST_F(PawtrapDrawing, RightPawIsMirroredTopToBottom) {
    drawWithoutMouse();  // right paw at (110, 48)
    EXPECT_EQ(cellAt(117, 47), 2);
    EXPECT_EQ(cellAt(102, 47), 1);
    EXPECT_EQ(cellAt(105, 40), 1);
    for (int x = 102; x <= 117; ++x) EXPECT_EQ(cellAt(x, 55), 0) << x;
}

TEST_F(PawtrapDrawing, ShakeMakesSixteenThousandCountedDrawsPerFrame) {
    game->draw();
    EXPECT_EQ(game->gameRandomDraws, 0);
    game->endCountdown = 250;
    game->draw();
    EXPECT_EQ(game->gameRandomDraws, 16000);
    game->draw();
    EXPECT_EQ(game->gameRandomDraws, 32000);
}

TEST_F(PawtrapDrawing, ShakeGrowsFromTwoToElevenSteps) {
    game->endCountdown = 250;
    drawWithoutMouse();
    EXPECT_NEAR(largestAgitation(), 0.03f, 1e-5f);
    std::fill(std::begin(vertexGrid.agitation), std::end(vertexGrid.agitation), 0.0f);
    game->endCountdown = 1;
    game->draw();
    EXPECT_NEAR(largestAgitation(), 0.3f, 1e-5f);
}

// The picture the instructions gave before keys could be rebound, drawn line by line.
std::vector<int8_t> builtInInstructions() {
    clearCanvas();
    drawText("wasd", 8, 73, 6);
    drawText("to move left paw.", 8 + textWidth("wasd "), 73, 7);
    drawText("^&<>", 8, 64, 6);
    drawText("to move right paw.", 8 + textWidth("^&<> "), 64, 7);
    drawText("trap mouse with both paws to score.", 8, 55, 7);
    drawText("mouse dies if it is too scared.", 8, 46, 7);
    return {std::begin(canvas.cells), std::end(canvas.cells)};
}

TEST(PawtrapInstructions, BuiltInKeysGiveTheSamePictureAsBefore) {
    resetCatGameApplication();
    std::vector<int8_t> expected = builtInInstructions();
    clearCanvas();
    drawPawtrapInstructions(keyLabels());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), std::begin(canvas.cells)));
}

TEST(PawtrapInstructions, NameTheKeysInForceAndMoveTheTextAlong) {
    resetCatGameApplication();
    KeyLabels labels = keyLabels();
    labels.keys[0][0] = "z";
    labels.keys[0][2] = "q";
    labels.keys[1][0] = "[8]";
    clearCanvas();
    drawPawtrapInstructions(labels);
    EXPECT_EQ(cellAt(8, 77), 6);  // the top bar of "z"
    EXPECT_EQ(cellAt(10, 77), 6);
    EXPECT_EQ(cellAt(28, 77), 7);  // "to move left paw." after the width of "zqsd "
    const int rightText = 8 + textWidth("[8] & < > ");
    EXPECT_EQ(cellAt(rightText, 68), 7);  // the bar of the "t" of "to move right paw."
    EXPECT_EQ(cellAt(rightText - 1, 68), 0);
}

// Over a network each side plays one paw with either player's keys: the menu says which.
TEST(PawtrapInstructions, OverANetworkSayWhichPawIsThisSidesAndThatEitherKeysMoveIt) {
    resetCatGameApplication();
    KeyLabels labels = keyLabels();
    labels.netPlayer = 1;
    clearCanvas();
    drawText("you play the right paw.", 8, 73, 7);
    drawText("wasd or ^&<>", 8, 64, 6);
    drawText("moves it.", 8 + textWidth("wasd or ^&<> "), 64, 7);
    drawText("trap mouse with both paws to score.", 8, 55, 7);
    drawText("mouse dies if it is too scared.", 8, 46, 7);
    const std::vector<int8_t> expected(std::begin(canvas.cells), std::end(canvas.cells));
    clearCanvas();
    drawPawtrapInstructions(labels);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), std::begin(canvas.cells)));
}

}  // namespace
