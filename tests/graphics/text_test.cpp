#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/random.h"
#include "graphics/canvas.h"
#include "graphics/text.h"

namespace {

constexpr int8_t untouched = -5;
constexpr uint32_t testSeed = 2024;

using Rows = std::vector<std::string>;

int8_t cellAt(int x, int y) { return canvas.cells[cellIndex(x, y)]; }

// The canvas block from (x, y) as rows top first: '#' for a written cell, '.' for an untouched one.
Rows pictureAt(int x, int y, int width, int height) {
    Rows rows;
    for (int r = height - 1; r >= 0; --r) {
        std::string row;
        for (int c = 0; c < width; ++c) row += cellAt(x + c, y + r) == untouched ? '.' : '#';
        rows.push_back(row);
    }
    return rows;
}

int changedCells() {
    return static_cast<int>(std::count_if(std::begin(canvas.cells), std::end(canvas.cells),
                                          [](int8_t v) { return v != untouched; }));
}

void fillCanvas(int8_t value) { std::fill(std::begin(canvas.cells), std::end(canvas.cells), value); }

class Text : public ::testing::Test {
protected:
    void SetUp() override { fillCanvas(untouched); }
};

}  // namespace

TEST_F(Text, WidthsAreTheSumOfTheGlyphAdvances) {
    EXPECT_EQ(textWidth("start"), 20);
    EXPECT_EQ(textWidth("exit"), 14);
    EXPECT_EQ(textWidth("best score: "), 46);
    EXPECT_EQ(textWidth("mnw^&<>"), 42);
}

TEST_F(Text, EmptyStringAndCharactersWithoutGlyphMeasureNothing) {
    EXPECT_EQ(textWidth(""), 0);
    EXPECT_EQ(textWidth("a!"), 4);
    EXPECT_EQ(textWidth("!?\n"), 0);
}

TEST_F(Text, GlyphsAreNumberedByTheirPlaceInTheAlphabet) {
    EXPECT_EQ(glyphOf(' '), 0);
    EXPECT_EQ(glyphOf('a'), 1);
    EXPECT_EQ(glyphOf('z'), 26);
    EXPECT_EQ(glyphOf('A'), 27);
    EXPECT_EQ(glyphOf('Z'), 52);
    EXPECT_EQ(glyphOf('0'), 53);
    EXPECT_EQ(glyphOf('9'), 62);
    EXPECT_EQ(glyphOf('^'), 63);
    EXPECT_EQ(glyphOf('/'), 72);
    EXPECT_EQ(glyphOf('\''), 73);
    EXPECT_EQ(glyphOf(':'), 75);
    EXPECT_EQ(glyphOf('!'), -1);
    EXPECT_EQ(glyphOf('\0'), -1);
}

TEST_F(Text, LetterISetsExactlyItsFiveCells) {
    drawText("i", 10, 20, 5);
    for (int y = 20; y <= 24; ++y) EXPECT_EQ(cellAt(10, y), 5);
    EXPECT_EQ(changedCells(), 5);
}

TEST_F(Text, GlyphsAreDrawnUprightAndAdvanceByTheirWidth) {
    drawText("a7", 0, 0, 8);
    EXPECT_EQ(pictureAt(0, 0, 9, 6), (Rows{
                                         ".........",
                                         ".#..###..",
                                         "#.#...#..",
                                         "###..#...",
                                         "#.#.#....",
                                         "#.#.#....",
                                     }));
}

TEST_F(Text, WideGlyphsDrawFiveColumnsAndAdvanceSix) {
    drawText("m^", 0, 0, 8);
    EXPECT_EQ(pictureAt(0, 0, 12, 5), (Rows{
                                          ".#.#....#...",
                                          "#.#.#..###..",
                                          "#.#.#.#####.",
                                          "#.#.#...#...",
                                          "#...#...#...",
                                      }));
}

TEST_F(Text, TextAtTheTopRowLosesItsTopGlyphRow) {
    drawText("e", 10, 96, 3);
    EXPECT_EQ(pictureAt(10, 96, 4, 4), (Rows{
                                           "#...",
                                           "##..",
                                           "#...",
                                           "###.",
                                       }));
    EXPECT_EQ(changedCells(), 7);
}

TEST_F(Text, TextOffTheLeftEdgeLosesItsFirstColumns) {
    drawText("m", -2, 30, 3);
    EXPECT_EQ(pictureAt(0, 30, 4, 5), (Rows{
                                          ".#..",
                                          "#.#.",
                                          "#.#.",
                                          "#.#.",
                                          "..#.",
                                      }));
    EXPECT_EQ(changedCells(), 8);
}

TEST_F(Text, TextOffTheRightEdgeShowsOnlyTwoColumnsOfTheFirstGlyph) {
    drawText("mm", 158, 30, 3);
    EXPECT_EQ(pictureAt(158, 30, 2, 5), (Rows{
                                            ".#",
                                            "#.",
                                            "#.",
                                            "#.",
                                            "#.",
                                        }));
    EXPECT_EQ(changedCells(), 5);
}

TEST_F(Text, ScaleZeroDrawsNothing) {
    drawTextScaled("start", 0, 10, 10, 4);
    EXPECT_EQ(changedCells(), 0);
}

TEST_F(Text, ScaledPixelsBecomeBlocksAndGlyphsAdvanceByScaledWidth) {
    drawTextScaled("i.", 2, 10, 20, 6);
    EXPECT_EQ(pictureAt(10, 20, 7, 11), (Rows{
                                            ".......",
                                            "##.....",
                                            "##.....",
                                            "##.....",
                                            "##.....",
                                            "##.....",
                                            "##.....",
                                            "##.....",
                                            "##.....",
                                            "##..##.",
                                            "##..##.",
                                        }));
    EXPECT_EQ(changedCells(), 24);
    EXPECT_EQ(cellAt(14, 20), 6);
}

TEST_F(Text, ScaledTextIsClippedCellByCell) {
    drawTextScaled("i", 4, 158, 90, 2);
    for (int y = 90; y < 100; ++y) EXPECT_TRUE(cellAt(158, y) == 2 && cellAt(159, y) == 2) << y;
    EXPECT_EQ(changedCells(), 2 * 10);
}

TEST_F(Text, RandomColourWritesOnlySetPixelsWithAFreshIndexEach) {
    drawText("m", 20, 20, 5);
    const Rows shape = pictureAt(20, 20, 5, 5);
    SetUp();
    appRandomSource.seed(testSeed);
    RandomStream expectedDraws(testSeed);
    drawText("m", 20, 20, randomColor);
    EXPECT_EQ(pictureAt(20, 20, 5, 5), shape);
    // Column by column, each from the top glyph row down.
    for (int c = 0; c < 5; ++c)
        for (int y = 24; y >= 20; --y)
            if (cellAt(20 + c, y) != untouched) {
                EXPECT_EQ(cellAt(20 + c, y), static_cast<int>(expectedDraws.draw() % 9)) << c << "," << y;
            }
}

TEST_F(Text, RandomColourDrawsOnlyForCellsOnTheCanvas) {
    appRandomSource.seed(testSeed);
    RandomStream expectedDraws(testSeed);
    drawText("mm", 158, 30, randomColor);
    for (int k = 0; k < changedCells(); ++k) expectedDraws.draw();
    EXPECT_EQ(changedCells(), 5);
    EXPECT_EQ(appRandom(), static_cast<int>(expectedDraws.draw()));
}

TEST_F(Text, ScaledRandomColourGivesEachCellOfABlockItsOwnIndex) {
    appRandomSource.seed(testSeed);
    drawTextScaled("i", 4, 40, 40, randomColor);
    std::vector<int> seen;
    for (int y = 40; y < 60; ++y)
        for (int x = 40; x < 44; ++x) {
            ASSERT_GE(cellAt(x, y), 0);
            ASSERT_LE(cellAt(x, y), 8);
            seen.push_back(cellAt(x, y));
        }
    EXPECT_NE(std::count(seen.begin(), seen.end(), seen.front()), static_cast<long>(seen.size()));
    EXPECT_EQ(changedCells(), 80);
}
