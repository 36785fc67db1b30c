#include <cmath>
#include <cstring>

#include "graphics/canvas.h"
#include "graphics/text.h"
#include "test_game.h"

namespace {

constexpr int typeNone = 0;
constexpr int typeSplash = 2;
constexpr int typeRunner = 3;
constexpr int typeNumber = 4;
constexpr int typeSparkLine = 5;
constexpr int typeDrift = 6;
constexpr int typeBigNumber = 7;

class Effects : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        std::memset(canvas.cells, -1, sizeof canvas.cells);
    }
    Effect& add(int type, int cx, int cy, int owner, int value) {
        game.effects.push_back(makeEffect(type, cx, cy, owner, value, game));
        return *game.effects.back();
    }
    int cell(int x, int y) { return canvas.cells[cellIndex(x, y)]; }
    int cellsOfColour(int colour) {
        int n = 0;
        for (int8_t c : canvas.cells) n += c == colour;
        return n;
    }
};

TEST_F(Effects, TypeZeroEffectDiesOnItsFirstUpdate) {
    Effect& e = add(typeNone, 50, 50, 0, 0);
    EXPECT_FALSE(e.dead);
    updateEffect(e, game);
    EXPECT_TRUE(e.dead);
}

TEST_F(Effects, UnknownTypeBehavesAsTypeZero) {
    Effect& e = add(effectTypeCount, 50, 50, 0, 0);
    drawEffect(e, game);
    updateEffect(e, game);
    EXPECT_TRUE(e.dead);
    EXPECT_EQ(cellsOfColour(-1), cellCount);
}

TEST_F(Effects, SparkAtTheRightEdgeIsClampedDrawnOnceMoreAndFreedNextTick) {
    Effect& spark = add(sparkEffect, 149, 30, 0, 4);
    spark.vx = 70;
    spark.vy = 0;
    game.tick();
    ASSERT_EQ(game.effects.size(), 1u);
    EXPECT_EQ(spark.x, 150 * 64);
    EXPECT_TRUE(spark.dead);
    game.draw();
    EXPECT_EQ(cell(game.fieldLeft() + 150, 30), 4);
    game.tick();
    EXPECT_TRUE(game.effects.empty());
}

TEST_F(Effects, EffectLeavingBelowTheFieldIsClampedToItsFloor) {
    Effect& e = add(sparkEffect, 20, 0, 0, 3);
    e.vx = 0;
    e.vy = -10;
    updateEffect(e, game);
    EXPECT_EQ(e.y, 0);
    EXPECT_TRUE(e.dead);
}

TEST_F(Effects, PlayfieldColumnZeroIsDrawnAtCanvasColumnFive) {
    add(sparkEffect, 0, 10, 0, 7);
    game.drawEffects();
    EXPECT_EQ(cell(5, 10), 7);
    EXPECT_EQ(cellsOfColour(7), 1);
}

TEST_F(Effects, SparkDirectionUsesThreeUncountedCosmeticDraws) {
    TestGame seeded(31);
    RandomStream reference(31);
    for (int i = 0; i < 3; ++i) reference.draw();
    Effect& spark = *seeded.effects.emplace_back(makeEffect(sparkEffect, 10, 10, 0, 3, seeded));
    EXPECT_EQ(seeded.gameRandomDraws, 0);
    EXPECT_EQ(seeded.cosmeticRandomDraw(), reference.draw());
    EXPECT_EQ(seeded.randomDraw(), RandomStream(31).draw());
    EXPECT_LE(std::abs(spark.vx), 16);
    EXPECT_LE(std::abs(spark.vy), 16);
}

TEST_F(Effects, StillSparkLivesAboutFiveHundredTicks) {
    Effect& spark = add(sparkEffect, 80, 50, 0, 3);
    spark.vx = 0;
    spark.vy = 0;
    int updates = 0;
    while (!spark.dead && updates < 1000) {
        updateEffect(spark, game);
        ++updates;
    }
    EXPECT_GE(updates, 495);
    EXPECT_LE(updates, 500);
}

TEST_F(Effects, RunnerSpeedsAwayFromItsOwnerAndDiesLeavingItsBand) {
    Effect& left = add(typeRunner, 2, 50, 0, 0);
    Effect& right = add(typeRunner, 2, 50, 1, 0);
    updateEffect(left, game);
    updateEffect(right, game);
    EXPECT_EQ(left.vx, -1);
    EXPECT_EQ(right.vx, 1);
    int updates = 1;
    while (!left.dead && updates < 100) {
        updateEffect(left, game);
        ++updates;
    }
    EXPECT_TRUE(left.dead);
    EXPECT_LT(left.x, 64);
    EXPECT_FALSE(right.dead);
}

TEST_F(Effects, NumberOfPlayerOneFliesLeftFromHalfItsWidthLeftward) {
    Effect& one = add(typeNumber, 40, 50, 0, 100);
    Effect& two = add(typeNumber, 40, 50, 1, 100);
    EXPECT_GE(one.vx, -27);
    EXPECT_LE(one.vx, -20);
    EXPECT_GE(two.vx, 20);
    EXPECT_LE(two.vx, 27);
    EXPECT_GE(one.vy, -8);
    EXPECT_LE(one.vy, 8);
    EXPECT_EQ(one.x, 40 * 64 - textWidth("100") * 64 / 2);
    EXPECT_EQ(two.x, 40 * 64);
}

TEST_F(Effects, SparkLineStaysWhereItIs) {
    Effect& line = add(typeSparkLine, 40, 50, 0, 0);
    line.vx = 1000;
    line.vy = 2000;
    updateEffect(line, game);
    EXPECT_EQ(line.x, 40 * 64);
    EXPECT_EQ(line.y, 50 * 64);
}

TEST_F(Effects, DriftRatesPointInAUnitDirectionScaledByAFiftieth) {
    Effect& drift = add(typeDrift, 40, 50, 0, 0);
    const float* r = drift.driftRate;
    EXPECT_NEAR(std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]), 0.05f, 1e-6f);
    updateEffect(drift, game);
    updateEffect(drift, game);
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(drift.drift[i], 2 * r[i]);
}

TEST_F(Effects, SplashStaysInsideItsDiamondInItsOwnersColour) {
    add(typeSplash, 20, 30, 1, 0);
    game.drawEffects();
    int drawn = 0;
    for (int x = 0; x < canvasWidth; ++x) {
        for (int y = 0; y < canvasHeight; ++y) {
            if (cell(x, y) == -1) continue;
            ++drawn;
            EXPECT_EQ(cell(x, y), 4);
            const int i = x - game.fieldLeft();
            EXPECT_LT(std::abs(i - 20) + std::abs(y - 30), 7) << x << "," << y;
            EXPECT_TRUE(i >= 15 && i < 25 && y >= 25 && y < 35) << x << "," << y;
        }
    }
    EXPECT_GT(drawn, 0);
}

TEST_F(Effects, BigNumberBlinksBetweenItsOwnersTwoColours) {
    Effect& big = add(typeBigNumber, 40, 50, 1, 8);
    drawEffect(big, game);
    EXPECT_GT(cellsOfColour(2), 0);
    EXPECT_EQ(cellsOfColour(5), 0);
    game.tickCount = 16;
    drawEffect(big, game);
    EXPECT_GT(cellsOfColour(5), 0);
}

}  // namespace
