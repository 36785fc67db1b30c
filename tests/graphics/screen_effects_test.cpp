#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "app/session/session.h"
#include "app/window/app_state.h"
#include "base/random.h"
#include "games/catalogue.h"
#include "graphics/canvas.h"
#include "graphics/screen_effects.h"

namespace {

constexpr uint32_t testSeed = 777;
constexpr int paletteDrawsPerRetarget = 54;

template <typename Check>
void forEachComponent(Check check) {
    for (int e = 0; e < paletteSize; ++e)
        for (int variant = 0; variant < 2; ++variant)
            for (int c = 0; c < 3; ++c) check(e, variant, c);
}

void steps(int count) {
    for (int n = 0; n < count; ++n) stepScreenEffects();
}

Vec2 positionOf(int i, int j) { return vertexGrid.position[vertexIndex(i, j)]; }

bool atRest(int i, int j) {
    const Vec2 p = positionOf(i, j);
    return p.x == static_cast<float>(i) && p.y == static_cast<float>(j);
}

std::vector<Vec2> positionsAfterAgitatedRun(uint32_t seed, int stepCount) {
    appRandomSource.seed(seed);
    effectSteps = 0;
    resetScreenEffects();
    agitate(80, 50, 5.0f);
    agitate(20, 70, 2.0f);
    steps(stepCount);
    return std::vector<Vec2>(std::begin(vertexGrid.position), std::end(vertexGrid.position));
}

bool samePositions(const std::vector<Vec2>& a, const std::vector<Vec2>& b) {
    return std::memcmp(a.data(), b.data(), a.size() * sizeof(Vec2)) == 0;
}

// The jitter of a vertex in the first step from rest, when its agitation is the resting 0.004.
float firstJitter(uint32_t draw) { return (static_cast<int>(draw % 9) - 4) * 0.0012f * 0.004f; }

class ScreenEffects : public ::testing::Test {
protected:
    void SetUp() override {
        selectGame(0);
        appRandomSource.seed(testSeed);
        effectSteps = 0;
        paletteDriftSpeed = 0;
        resetPalette();
        resetScreenEffects();
    }
};

}  // namespace

TEST_F(ScreenEffects, PaletteHoldsForTheFirst2001StepsThenMovesOneDriftStep) {
    const Palette paletteBefore = currentPalette;
    steps(paletteRetargetPeriod);
    EXPECT_EQ(paletteDriftSpeed, 0);
    stepScreenEffects();
    EXPECT_EQ(paletteDriftSpeed, 1);
    forEachComponent(
        [&](int e, int v, int c) { EXPECT_EQ(currentPalette.rgb[e][v][c], paletteBefore.rgb[e][v][c]); });
    const Palette targetBefore = targetPalette;
    stepScreenEffects();
    forEachComponent([&](int e, int v, int c) {
        const float before = paletteBefore.rgb[e][v][c];
        const float expected = targetBefore.rgb[e][v][c] > before ? before + 0.00025f : before - 0.00025f;
        EXPECT_EQ(currentPalette.rgb[e][v][c], expected) << e << " " << v << " " << c;
    });
}

TEST_F(ScreenEffects, FirstStepDrawsNewTargetsAroundTheBaseColours) {
    RandomStream expectedDraws(testSeed);
    appRandomSource.seed(testSeed);
    stepScreenEffects();
    const GameEntry* entry = selectedEntry;
    ASSERT_NE(entry, nullptr);
    for (int e = 0; e < paletteSize; ++e)
        for (int v = 0; v < 2; ++v)
            for (int c = 0; c < 3; ++c) {
                const int offset = static_cast<int>(expectedDraws.draw() % 201) - 100;
                const float target = targetPalette.rgb[e][v][c];
                EXPECT_EQ(target, entry->baseColors[e][c] + offset * 0.0004f);
                EXPECT_LE(std::fabs(target - entry->baseColors[e][c]), 0.0401f);
            }
}

TEST_F(ScreenEffects, ComponentAtItsTargetStepsDown) {
    effectSteps = 1;
    paletteDriftSpeed = 1;
    targetPalette = currentPalette;
    targetPalette.rgb[4][1][2] = currentPalette.rgb[4][1][2] + 0.01f;
    const Palette paletteBefore = currentPalette;
    stepScreenEffects();
    forEachComponent([&](int e, int v, int c) {
        const float step = (e == 4 && v == 1 && c == 2) ? 0.00025f : -0.00025f;
        EXPECT_EQ(currentPalette.rgb[e][v][c], paletteBefore.rgb[e][v][c] + step);
    });
}

TEST_F(ScreenEffects, ComponentReachesItsTargetAndThenAlternatesAroundIt) {
    effectSteps = 1;
    paletteDriftSpeed = 1;
    currentPalette.rgb[2][0][1] = 0.5f;
    targetPalette.rgb[2][0][1] = 0.6f;
    steps(390);
    EXPECT_LT(currentPalette.rgb[2][0][1], 0.6f);
    steps(20);
    const float target = targetPalette.rgb[2][0][1];
    const float near = currentPalette.rgb[2][0][1];
    EXPECT_NEAR(near, target, 0.00026f);
    stepScreenEffects();
    const float next = currentPalette.rgb[2][0][1];
    stepScreenEffects();
    EXPECT_NE(near > target, next > target);
    EXPECT_NEAR(currentPalette.rgb[2][0][1], near, 1e-6f);
}

TEST_F(ScreenEffects, ShadeAboveTheLimitIsCutTo32) {
    cellShades[cellIndex(3, 4)].slow[0] = 100.0f;
    cellShades[cellIndex(3, 4)].fast[1] = 40.0f;
    stepScreenEffects();
    EXPECT_EQ(cellShades[cellIndex(3, 4)].slow[0], 32.0f);
    EXPECT_EQ(cellShades[cellIndex(3, 4)].fast[1], 32.0f);
}

TEST_F(ScreenEffects, FastShadeOfOneActorPassIsGoneAfter24Steps) {
    CellShade& shade = cellShades[cellIndex(159, 99)];
    shade.fast[0] = 0.35f;
    shade.fast[1] = 0.35f;
    steps(23);
    EXPECT_GT(shade.fast[0], 0.0f);
    EXPECT_GT(shade.fast[1], 0.0f);
    stepScreenEffects();
    EXPECT_EQ(shade.fast[0], 0.0f);
    EXPECT_EQ(shade.fast[1], 0.0f);
}

TEST_F(ScreenEffects, SlowShadeOfOneActorPassIsGoneAfter27Steps) {
    CellShade& shade = cellShades[cellIndex(0, 0)];
    shade.slow[0] = 0.08f;
    shade.slow[1] = 0.08f;
    steps(26);
    EXPECT_GT(shade.slow[0], 0.0f);
    EXPECT_GT(shade.slow[1], 0.0f);
    stepScreenEffects();
    EXPECT_EQ(shade.slow[0], 0.0f);
    EXPECT_EQ(shade.slow[1], 0.0f);
}

TEST_F(ScreenEffects, BorderVerticesNeverMoveHoweverAgitated) {
    for (int i = 0; i < canvasWidth; ++i) {
        agitate(i, 0, 20.0f);
        agitate(i, 1, 20.0f);
        agitate(i, canvasHeight - 1, 20.0f);
    }
    for (int j = 0; j < canvasHeight; ++j) {
        agitate(0, j, 20.0f);
        agitate(1, j, 20.0f);
        agitate(canvasWidth - 1, j, 20.0f);
    }
    steps(30);
    for (int i = 0; i <= canvasWidth; ++i) {
        EXPECT_TRUE(atRest(i, 0)) << i;
        EXPECT_TRUE(atRest(i, canvasHeight)) << i;
    }
    for (int j = 0; j <= canvasHeight; ++j) {
        EXPECT_TRUE(atRest(0, j)) << j;
        EXPECT_TRUE(atRest(canvasWidth, j)) << j;
    }
    EXPECT_GT(std::fabs(positionOf(1, 50).x - 1.0f) + std::fabs(positionOf(1, 50).y - 50.0f), 0.01f);
}

TEST_F(ScreenEffects, AgitationReachesOnlyTheVertexOfACanvasCell) {
    agitate(160, 50, 3.0f);
    agitate(10, 100, 3.0f);
    agitate(-1, 50, 3.0f);
    agitate(10, -1, 3.0f);
    EXPECT_TRUE(std::all_of(std::begin(vertexGrid.agitation), std::end(vertexGrid.agitation),
                            [](float a) { return a == 0.0f; }));
    agitate(159, 99, 0.5f);
    agitate(3, 4, 0.25f);
    agitate(3, 4, 0.25f);
    EXPECT_EQ(vertexGrid.agitation[vertexIndex(159, 99)], 0.5f);
    EXPECT_EQ(vertexGrid.agitation[vertexIndex(3, 4)], 0.5f);
}

TEST_F(ScreenEffects, JitterTakesTwoDrawsPerVertexVerticalFirstAfterThePaletteDraws) {
    RandomStream expectedDraws(testSeed);
    appRandomSource.seed(testSeed);
    stepScreenEffects();
    for (int k = 0; k < paletteDrawsPerRetarget + 2 * vertexIndex(1, 1); ++k) expectedDraws.draw();
    const uint32_t vertical = expectedDraws.draw();
    const uint32_t horizontal = expectedDraws.draw();
    // All neighbours of (1, 1) are still at rest, so only the jitter moves it.
    EXPECT_EQ(positionOf(1, 1).x, 1.0f + firstJitter(horizontal));
    EXPECT_EQ(positionOf(1, 1).y, 1.0f + firstJitter(vertical));
}

TEST_F(ScreenEffects, DampedVelocityCarriesAVertexAlong) {
    vertexGrid.velocity[vertexIndex(1, 1)] = {0.5f, 0.25f};
    RandomStream expectedDraws(testSeed);
    appRandomSource.seed(testSeed);
    stepScreenEffects();
    for (int k = 0; k < paletteDrawsPerRetarget + 2 * vertexIndex(1, 1); ++k) expectedDraws.draw();
    const float vertical = firstJitter(expectedDraws.draw());
    const float horizontal = firstJitter(expectedDraws.draw());
    // Its neighbours are all at rest, so they pull it nowhere.
    EXPECT_EQ(vertexGrid.velocity[vertexIndex(1, 1)].x, 0.5f * 0.978f + horizontal);
    EXPECT_EQ(vertexGrid.velocity[vertexIndex(1, 1)].y, 0.25f * 0.978f + vertical);
    EXPECT_EQ(positionOf(1, 1).x, 1.0f + (0.5f * 0.978f + horizontal));
}

TEST_F(ScreenEffects, NeighboursPassOnSnapshotVelocityAndThePositionTheyTookInThisStep) {
    const Vec2 leftVelocity{0.5f, 0.25f};
    vertexGrid.velocity[vertexIndex(1, 1)] = leftVelocity;
    RandomStream expectedDraws(testSeed);
    appRandomSource.seed(testSeed);
    stepScreenEffects();
    for (int k = 0; k < paletteDrawsPerRetarget + 2 * vertexIndex(2, 1); ++k) expectedDraws.draw();
    const float vertical = firstJitter(expectedDraws.draw());
    const float horizontal = firstJitter(expectedDraws.draw());
    // The left neighbour (1, 1) moved earlier in this step; below, right and above are at rest.
    // Own rest position first, then left, below, right, above.
    const Vec2 left = positionOf(1, 1);
    const float sumX = 2.0f + left.x + 2.0f + 3.0f + 2.0f;
    const float sumY = 1.0f + left.y + 0.0f + 1.0f + 2.0f;
    const float expectedX = (horizontal + 0.005f * leftVelocity.x) + 0.003f * (sumX / 5 - 2.0f);
    const float expectedY = (vertical + 0.005f * leftVelocity.y) + 0.003f * (sumY / 5 - 1.0f);
    EXPECT_EQ(vertexGrid.velocity[vertexIndex(2, 1)].x, expectedX);
    EXPECT_EQ(vertexGrid.velocity[vertexIndex(2, 1)].y, expectedY);
    EXPECT_EQ(positionOf(2, 1).x, 2.0f + expectedX);
    EXPECT_EQ(positionOf(2, 1).y, 1.0f + expectedY);
}

TEST_F(ScreenEffects, NeighboursAddUpInTheOrderLeftBelowRightAbove) {
    // Shares of 2^24, 1, -2^24 and 0.5: near 2^24 a float steps by 2, so only this order of
    // adding them to the resting 0.004 leaves exactly 0.5.
    constexpr float twoTo24 = 16777216.0f;
    vertexGrid.agitation[vertexIndex(4, 5)] = twoTo24 * 20.0f;
    vertexGrid.agitation[vertexIndex(5, 4)] = 20.0f;
    vertexGrid.agitation[vertexIndex(6, 5)] = -twoTo24 * 20.0f;
    vertexGrid.agitation[vertexIndex(5, 6)] = 10.0f;
    stepScreenEffects();
    EXPECT_EQ(vertexGrid.agitation[vertexIndex(5, 5)], 0.5f * 0.8f);
}

TEST_F(ScreenEffects, SameSeedGivesBitIdenticalGrid) {
    const std::vector<Vec2> first = positionsAfterAgitatedRun(testSeed, 60);
    const std::vector<Vec2> second = positionsAfterAgitatedRun(testSeed, 60);
    const std::vector<Vec2> otherSeed = positionsAfterAgitatedRun(testSeed + 1, 60);
    EXPECT_TRUE(samePositions(first, second));
    EXPECT_FALSE(samePositions(first, otherSeed));
}

TEST_F(ScreenEffects, RestingAgitationOfAnInnerVertexSettlesNear008) {
    steps(250);
    EXPECT_NEAR(vertexGrid.agitation[vertexIndex(80, 50)], 0.08f, 0.001f);
}

TEST_F(ScreenEffects, ResetRestsGridAndShadeButKeepsPalettesAndCounters) {
    agitate(30, 30, 4.0f);
    cellShades[cellIndex(30, 30)].slow[1] = 3.0f;
    cellShades[cellIndex(30, 30)].fast[0] = 3.0f;
    steps(5);
    effectSteps = 4321;
    paletteDriftSpeed = 1;
    const Palette paletteBefore = currentPalette;
    const Palette targetBefore = targetPalette;
    resetScreenEffects();
    EXPECT_EQ(effectSteps, 4321);
    EXPECT_EQ(paletteDriftSpeed, 1);
    EXPECT_EQ(std::memcmp(&paletteBefore, &currentPalette, sizeof(Palette)), 0);
    EXPECT_EQ(std::memcmp(&targetBefore, &targetPalette, sizeof(Palette)), 0);
    for (int i = 0; i <= canvasWidth; ++i)
        for (int j = 0; j <= canvasHeight; ++j) {
            const int k = vertexIndex(i, j);
            ASSERT_TRUE(atRest(i, j)) << i << "," << j;
            ASSERT_EQ(vertexGrid.velocity[k].x, 0.0f);
            ASSERT_EQ(vertexGrid.velocity[k].y, 0.0f);
            ASSERT_EQ(vertexGrid.agitation[k], 0.0f);
        }
    for (const CellShade& shade : cellShades)
        ASSERT_TRUE(shade.slow[0] == 0 && shade.slow[1] == 0 && shade.fast[0] == 0 && shade.fast[1] == 0);
}
