#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/session/session.h"
#include "app/window/app_state.h"
#include "app/window/main_loop.h"
#include "framework/game_state.h"
#include "graphics/canvas.h"
#include "graphics/primitives.h"
#include "support/fake_platform.h"

namespace {

constexpr int8_t untouched = -5;  // a value no primitive writes in these tests

using Rows = std::vector<std::string>;

// A sprite from rows listed top first: '.' transparent, a digit a palette index.
Sprite spriteFromRows(const Rows& rows) {
    Sprite sprite{};
    const int size = static_cast<int>(rows.size());
    sprite.size = static_cast<int8_t>(size);
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c) {
            const char ch = rows[size - 1 - r][c];
            sprite.pixels[r][c] = static_cast<int8_t>(ch == '.' ? 0 : ch - '0');
        }
    return sprite;
}

// Every pixel set and every value different within a row and a column, values 1..8.
Sprite opaqueSprite(int size) {
    Sprite sprite{};
    sprite.size = static_cast<int8_t>(size);
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c) sprite.pixels[r][c] = static_cast<int8_t>(1 + (r * size + c) % 8);
    return sprite;
}

int8_t cellAt(int x, int y) { return canvas.cells[cellIndex(x, y)]; }

// The block of the canvas centred on (x, y), top row first, as the rows of spriteFromRows.
Rows pictureAround(int x, int y, int size) {
    const int half = size / 2;
    Rows rows;
    for (int r = size - 1; r >= 0; --r) {
        std::string row;
        for (int c = 0; c < size; ++c) {
            const int8_t v = cellAt(x + c - half, y + r - half);
            row += v == untouched ? '.' : static_cast<char>('0' + v);
        }
        rows.push_back(row);
    }
    return rows;
}

int changedCells() {
    return static_cast<int>(std::count_if(std::begin(canvas.cells), std::end(canvas.cells),
                                          [](int8_t v) { return v != untouched; }));
}

class FieldGame : public GameState {
public:
    FieldGame() : GameState(1) {}
    int checkEnd() override { return 0; }
    int fieldLeft() const override { return testFieldLeft; }
    static constexpr int testFieldLeft = 10;
};

class Primitives : public ::testing::Test {
protected:
    void SetUp() override {
        std::fill(std::begin(canvas.cells), std::end(canvas.cells), untouched);
        session.game.reset();
        selectGame(0);
        updateGraphicsInputs();
    }
    void TearDown() override { session.game.reset(); }
};

// Stored picture; no two pixels alike, one transparent, so each orientation shows differently.
const Rows asymmetricRows = {
    "78.",
    "456",
    "123",
};

}  // namespace

TEST_F(Primitives, PutCellWritesInsideTheCanvas) {
    putCell(0, 0, 3);
    putCell(159, 99, 4);
    putCell(17, 42, 8);
    EXPECT_EQ(cellAt(0, 0), 3);
    EXPECT_EQ(cellAt(159, 99), 4);
    EXPECT_EQ(cellAt(17, 42), 8);
    EXPECT_EQ(changedCells(), 3);
}

TEST_F(Primitives, PutCellOutsideTheCanvasChangesNothing) {
    putCell(160, 0, 3);
    putCell(0, 100, 3);
    putCell(-1, 5, 3);
    putCell(5, -1, 3);
    EXPECT_EQ(changedCells(), 0);
}

TEST_F(Primitives, SpriteAtMinusOneIsNone) { EXPECT_EQ(spriteAt(-1), nullptr); }

TEST_F(Primitives, DrawSpriteDrawsTheSheetsSprite) {
    ASSERT_NE(spriteAt(1), nullptr);
    const Sprite& mouse = *spriteAt(1);
    ASSERT_EQ(mouse.size, 9);
    drawSprite(1, 80, 50, 0);
    int opaque = 0;
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) {
            const int8_t pixel = mouse.pixels[r][c];
            EXPECT_EQ(cellAt(80 + c - 4, 50 + r - 4), pixel > 0 ? pixel : untouched);
            opaque += pixel > 0;
        }
    EXPECT_EQ(changedCells(), opaque);
}

TEST_F(Primitives, SizeNineAtTheOriginShowsOnlyItsUpperRightQuarter) {
    const Sprite sprite = opaqueSprite(9);
    drawSpritePicture(sprite, 0, 0, 0);
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 5; ++y) EXPECT_EQ(cellAt(x, y), sprite.pixels[y + 4][x + 4]) << x << "," << y;
    EXPECT_EQ(changedCells(), 25);
}

TEST_F(Primitives, SizeNineAtTheTopRightCornerShowsOnlyItsLowerLeftQuarter) {
    const Sprite sprite = opaqueSprite(9);
    drawSpritePicture(sprite, 159, 99, 0);
    for (int x = 155; x < 160; ++x)
        for (int y = 95; y < 100; ++y)
            EXPECT_EQ(cellAt(x, y), sprite.pixels[y - 95][x - 155]) << x << "," << y;
    EXPECT_EQ(changedCells(), 25);
}

TEST_F(Primitives, SizeSixteenAtEightEightCoversColumnsAndRowsZeroToFifteen) {
    drawSpritePicture(opaqueSprite(16), 8, 8, 0);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y) EXPECT_NE(cellAt(x, y), untouched) << x << "," << y;
    EXPECT_EQ(changedCells(), 256);
}

TEST_F(Primitives, EveryOrientationShowsThePictureAsTurnedOnScreen) {
    const Sprite sprite = spriteFromRows(asymmetricRows);
    const std::array<Rows, orientationCount> expected = {{
        {"78.", "456", "123"},  // as stored
        {".63", "852", "741"},  // a quarter turn counter-clockwise
        {"321", "654", ".87"},  // half a turn
        {"147", "258", "36."},  // a quarter turn clockwise
        {".87", "654", "321"},  // mirrored left to right
        {"741", "852", ".63"},  // mirrored, then a quarter turn counter-clockwise
        {"123", "456", "78."},  // mirrored top to bottom
        {"36.", "258", "147"},  // mirrored, then a quarter turn clockwise
    }};
    for (int orientation = 0; orientation < orientationCount; ++orientation) {
        SetUp();
        drawSpritePicture(sprite, 40, 40, orientation);
        EXPECT_EQ(pictureAround(40, 40, 3), expected[orientation]) << "orientation " << orientation;
    }
}

TEST_F(Primitives, QuarterTurnsUndoEachOtherAndTheOtherOrientationsUndoThemselves) {
    const Rows stored = {
        "12..",
        "3...",
        "4.56",
        "..7.",
    };
    const int inverse[orientationCount] = {0, 3, 2, 1, 4, 5, 6, 7};
    for (int orientation = 0; orientation < orientationCount; ++orientation) {
        SetUp();
        drawSpritePicture(spriteFromRows(stored), 40, 40, orientation);
        const Sprite turned = spriteFromRows(pictureAround(40, 40, 4));
        if (orientation != 0) {
            EXPECT_NE(pictureAround(40, 40, 4), stored) << "orientation " << orientation;
        }
        SetUp();
        drawSpritePicture(turned, 40, 40, inverse[orientation]);
        EXPECT_EQ(pictureAround(40, 40, 4), stored) << "orientation " << orientation;
    }
}

TEST_F(Primitives, TransparentPixelsNeverOverwrite) {
    std::fill(std::begin(canvas.cells), std::end(canvas.cells), 7);
    Sprite sprite = spriteFromRows({"...", ".0.", "..."});
    sprite.pixels[0][0] = -3;
    drawSpritePicture(sprite, 50, 50, 0);
    EXPECT_TRUE(
        std::all_of(std::begin(canvas.cells), std::end(canvas.cells), [](int8_t v) { return v == 7; }));
}

TEST_F(Primitives, EmptySpriteDrawsNothing) {
    Sprite sprite = opaqueSprite(4);
    sprite.size = 0;
    drawSpritePicture(sprite, 50, 50, 0);
    EXPECT_EQ(changedCells(), 0);
}

TEST_F(Primitives, WhileAGameRunsSpritesStayInsideItsFieldColumns) {
    playTestGame(std::make_unique<FieldGame>());
    updateGraphicsInputs();
    const int left = FieldGame::testFieldLeft;
    const int right = canvasWidth - 1 - left;
    drawSpritePicture(opaqueSprite(16), left, 50, 0);
    drawSpritePicture(opaqueSprite(16), right, 50, 0);
    for (int x = 0; x < canvasWidth; ++x) {
        const bool insideField = x >= left && x <= right;
        const bool underASprite = (x >= left - 8 && x <= left + 7) || (x >= right - 8 && x <= right + 7);
        EXPECT_EQ(cellAt(x, 50) != untouched, insideField && underASprite) << "column " << x;
    }
    EXPECT_EQ(changedCells(), (8 + 9) * 16);  // columns 10..17 and 141..149
}

TEST_F(Primitives, FieldMarginsDoNotClipOutsideAGame) {
    updateGraphicsInputs();
    drawSpritePicture(opaqueSprite(16), 8, 50, 0);
    EXPECT_EQ(changedCells(), 256);
}
