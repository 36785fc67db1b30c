#include <gtest/gtest.h>

#include <cmath>

#include "app/session/session.h"
#include "app/window/app_state.h"
#include "base/random.h"
#include "framework/game_state.h"
#include "games/catalogue.h"
#include "graphics/canvas.h"
#include "graphics/video.h"
#include "support/fake_platform.h"

namespace {

class Canvas : public ::testing::Test {
protected:
    void SetUp() override {
        session.game.reset();
        app = AppState{};
        selectGame(0);
        appRandomSource.seed(2024);
        resetPalette();
    }
    void TearDown() override { app = AppState{}; }
};

TEST(AppRandom, DrawsAreTheStandardMersenneTwisterHalved) {
    appRandomSource.seed(5489);
    EXPECT_EQ(appRandom(), static_cast<int>(3499211612u >> 1));
    EXPECT_EQ(appRandom(), static_cast<int>(581869302u >> 1));
    EXPECT_EQ(appRandom(), static_cast<int>(3890346734u >> 1));
    appRandomSource.seed(5489);
    for (int i = 0; i < 9999; ++i) appRandom();
    EXPECT_EQ(appRandom(), static_cast<int>(4123659995u >> 1));
}

TEST(AppRandom, BelowIsTheDrawModuloN) {
    appRandomSource.seed(1);
    uint32_t first = 1791095845u >> 1;
    EXPECT_EQ(appRandomBelow(1000), static_cast<int>(first % 1000));
}

TEST_F(Canvas, ClearSetsEveryCellToEntryZero) {
    canvas.cells[cellIndex(3, 4)] = -1;
    canvas.cells[cellIndex(159, 99)] = 8;
    clearCanvas();
    for (int8_t v : canvas.cells) ASSERT_EQ(v, 0);
}

TEST_F(Canvas, PaletteStartsWithinEightHundredthsOfTheBaseInSteps) {
    const GameEntry* entry = selectedEntry;
    for (const Palette* p : {&currentPalette, &targetPalette}) {
        for (int e = 0; e < paletteSize; ++e) {
            for (int v = 0; v < 2; ++v) {
                for (int c = 0; c < 3; ++c) {
                    float offset = p->rgb[e][v][c] - entry->baseColors[e][c];
                    EXPECT_LE(std::fabs(offset), 0.08f + 1e-6f);
                    float steps = offset / 0.0008f;
                    EXPECT_NEAR(steps, std::round(steps), 1e-3f);
                }
            }
        }
    }
}

TEST_F(Canvas, PaletteDrawsAlternateBetweenCurrentAndTarget) {
    appRandomSource.seed(7);
    int r1 = appRandom();
    int r2 = appRandom();
    int r3 = appRandom();
    appRandomSource.seed(7);
    resetPalette();
    EXPECT_FLOAT_EQ(currentPalette.rgb[0][0][0], (r1 % 201 - 100) * 0.0008f);
    EXPECT_FLOAT_EQ(targetPalette.rgb[0][0][0], (r2 % 201 - 100) * 0.0008f);
    EXPECT_FLOAT_EQ(currentPalette.rgb[0][0][1], (r3 % 201 - 100) * 0.0008f);
}

TEST_F(Canvas, RowsOfTheSameValueStripeFaintly) {
    int differing = 0;
    for (int e = 0; e < paletteSize; ++e) {
        CellShade none{};
        Rgba even = cellColor(e, 0, none);
        Rgba odd = cellColor(e, 1, none);
        if (even.r != odd.r || even.g != odd.g || even.b != odd.b) ++differing;
        EXPECT_NEAR(even.r, odd.r, 0.16f);
    }
    EXPECT_GE(differing, 8);
}

TEST_F(Canvas, FullChannelZeroShadeTakesSixTenthsOfRedAndTwoOfGreen) {
    CellShade shade{{32, 0}, {32, 0}};
    CellShade none{};
    Rgba plain = cellColor(8, 0, none);
    Rgba shaded = cellColor(8, 0, shade);
    EXPECT_NEAR(plain.r - shaded.r, 0.6f, 1e-5f);
    EXPECT_NEAR(plain.g - shaded.g, 0.2f, 1e-5f);
    EXPECT_FLOAT_EQ(plain.b, shaded.b);
}

TEST_F(Canvas, LightChannelZeroShadeScalesLinearly) {
    CellShade shade{{2, 0}, {2, 0}};
    CellShade none{};
    Rgba plain = cellColor(5, 1, none);
    Rgba shaded = cellColor(5, 1, shade);
    EXPECT_NEAR(plain.r - shaded.r, 0.14f, 1e-5f);
    EXPECT_NEAR(plain.g - shaded.g, 0.08f, 1e-5f);
}

TEST_F(Canvas, FullChannelOneShadeTakesBlueMostly) {
    CellShade shade{{0, 32}, {0, 32}};
    CellShade none{};
    Rgba plain = cellColor(8, 0, none);
    Rgba shaded = cellColor(8, 0, shade);
    EXPECT_NEAR(plain.b - shaded.b, 0.6f, 1e-5f);
    EXPECT_NEAR(plain.r - shaded.r, 0.2f, 1e-5f);
    EXPECT_NEAR(plain.g - shaded.g, 0.2f, 1e-5f);
}

TEST_F(Canvas, QuitFadeLiftsAndClearsCells) {
    CellShade none{};
    Rgba before = cellColor(3, 0, none);
    graphicsInputs.quitFade = 20;
    graphicsInputs.quitCountdown = 5;
    Rgba start = cellColor(3, 0, none);
    EXPECT_FLOAT_EQ(start.a, 1.0f);
    EXPECT_FLOAT_EQ(start.r, before.r);
    graphicsInputs.quitFade = 10;
    Rgba half = cellColor(3, 0, none);
    EXPECT_FLOAT_EQ(half.a, 0.5f);
    EXPECT_NEAR(half.r - before.r, 0.2f, 1e-6f);
    graphicsInputs.quitFade = 0;
    Rgba end = cellColor(3, 0, none);
    EXPECT_FLOAT_EQ(end.a, 0.0f);
    EXPECT_NEAR(end.g - before.g, 0.4f, 1e-6f);
}

TEST(QuitOverlay, FallsThenJumpsToNothingThenDarkensAgain) {
    EXPECT_FLOAT_EQ(quitOverlayAlpha(20, 5), 1.0f);
    EXPECT_FLOAT_EQ(quitOverlayAlpha(11, 5), 0.55f);
    EXPECT_FLOAT_EQ(quitOverlayAlpha(10, 5), 0.0f);
    EXPECT_FLOAT_EQ(quitOverlayAlpha(1, 5), 0.45f);
    EXPECT_FLOAT_EQ(quitOverlayAlpha(0, 5), 0.5f);
    EXPECT_FLOAT_EQ(quitOverlayAlpha(0, 1), 0.9f);
}

TEST(VideoMode, WindowedSizeLimitsEachSideSeparately) {
    EXPECT_EQ(windowSizeFor(1920, 1080, true).width, 1024);
    EXPECT_EQ(windowSizeFor(1920, 1080, true).height, 768);
    EXPECT_EQ(windowSizeFor(1280, 720, true).width, 1024);
    EXPECT_EQ(windowSizeFor(1280, 720, true).height, 720);
    EXPECT_EQ(windowSizeFor(800, 600, true).width, 800);
    EXPECT_EQ(windowSizeFor(2560, 1080, false).width, 2560);
    EXPECT_EQ(windowSizeFor(2560, 1080, false).height, 1080);
}

TEST(VideoMode, SettingTheModeResetsCanvasAndGrid) {
    canvas.cells[0] = 5;
    vertexGrid.position[vertexIndex(3, 4)] = {0, 0};
    std::string error;
    ASSERT_TRUE(setVideoMode(false, true, error));
    EXPECT_EQ(canvas.cells[0], 0);
    EXPECT_FLOAT_EQ(vertexGrid.position[vertexIndex(3, 4)].x, 3.0f);
    EXPECT_FLOAT_EQ(videoWidth, 1024.0f);
}

TEST(Screenshot, NumbersFilesAndWritesTheTopRowFirst) {
    resetFakePlatform();
    screenshotCount = 0;
    videoWidth = 4;
    videoHeight = 3;
    saveScreenshot();
    EXPECT_EQ(fakePlatform.lastPngPath, "screen0.png");
    ASSERT_EQ(fakePlatform.lastPng.size(), 4u * 3u * 4u);
    EXPECT_EQ(fakePlatform.lastPng.front(), 2);  // the window's top row, read last
    EXPECT_EQ(fakePlatform.lastPng.back(), 0);
    saveScreenshot();
    EXPECT_EQ(fakePlatform.lastPngPath, "screen1.png");
}

TEST(Screenshot, SkipsEveryNumberWhoseFileExists) {
    resetFakePlatform();
    fakePlatform.existingFiles = {"screen0.png", "screen1.png", "screen3.png"};
    screenshotCount = 0;
    videoWidth = 2;
    videoHeight = 2;
    saveScreenshot();
    EXPECT_EQ(fakePlatform.lastPngPath, "screen2.png");
    saveScreenshot();
    EXPECT_EQ(fakePlatform.lastPngPath, "screen4.png");
}

TEST(Screenshot, AnUnwritableFileIsReportedAndStillCounted) {
    resetFakePlatform();
    fakePlatform.failWrites = true;
    screenshotCount = 5;
    videoWidth = 2;
    videoHeight = 2;
    testing::internal::CaptureStderr();
    saveScreenshot();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(screenshotCount, 6);
    EXPECT_EQ(err, "tandrel: could not save screen5.png: Permission denied\n");
}

}  // namespace
