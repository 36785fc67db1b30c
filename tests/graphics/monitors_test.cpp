#include <gtest/gtest.h>

#include "graphics/canvas.h"
#include "graphics/monitors.h"
#include "graphics/video.h"
#include "support/fake_platform.h"

namespace {

// Xvfb's desktop of two monitors side by side, with the whole screen listed last as it lists it.
const MonitorRect left{0, 0, 1280, 720};
const MonitorRect right{1280, 0, 1280, 720};
const MonitorRect wholeScreen{0, 0, 2560, 720};
const std::vector<MonitorRect> twoMonitors{left, right, wholeScreen};

TEST(ChooseMonitor, ThePointerPicksTheSmallestMonitorHoldingIt) {
    EXPECT_EQ(chooseMonitor(twoMonitors, -1, ScreenPoint{2000, 100}, anyDisplay), 1);
    EXPECT_EQ(chooseMonitor(twoMonitors, -1, ScreenPoint{100, 100}, anyDisplay), 0);
    EXPECT_EQ(chooseMonitor({wholeScreen, right}, -1, ScreenPoint{2000, 100}, anyDisplay), 1);
}

TEST(ChooseMonitor, AnEdgeBelongsToTheMonitorThatStartsThere) {
    EXPECT_EQ(chooseMonitor(twoMonitors, -1, ScreenPoint{1280, 0}, anyDisplay), 1);
    EXPECT_EQ(chooseMonitor(twoMonitors, -1, ScreenPoint{1279, 719}, anyDisplay), 0);
}

TEST(ChooseMonitor, WithoutThePointerThePrimaryElseTheFirst) {
    EXPECT_EQ(chooseMonitor(twoMonitors, 1, std::nullopt, anyDisplay), 1);
    EXPECT_EQ(chooseMonitor(twoMonitors, 2, ScreenPoint{1280, 720}, anyDisplay), 2);
    EXPECT_EQ(chooseMonitor(twoMonitors, -1, std::nullopt, anyDisplay), 0);
    EXPECT_EQ(chooseMonitor({}, -1, ScreenPoint{0, 0}, anyDisplay), -1);
}

TEST(ChooseMonitor, ARequestedDisplayWinsWhereItIsListed) {
    EXPECT_EQ(chooseMonitor(twoMonitors, 0, ScreenPoint{100, 100}, 1), 1);
    EXPECT_EQ(chooseMonitor(twoMonitors, 0, ScreenPoint{2000, 100}, 3), 1);
}

// What setVideoMode() asks of the window after chooseVideoMonitor() on the layout given.
WindowPlacement placementAfter(const MonitorLayout& layout, int requested, bool windowed) {
    resetFakePlatform();
    fakePlatform.monitors = layout;
    chooseVideoMonitor(requested);
    std::string error;
    EXPECT_TRUE(setVideoMode(windowed, true, error));
    EXPECT_EQ(fakePlatform.windowsOpened.size(), 1u);
    return fakePlatform.windowsOpened.back();
}

MonitorLayout twoMonitorDesktop(ScreenPoint pointer) { return {twoMonitors, -1, pointer, 2560, 720}; }

TEST(MonitorPlacement, OneMonitorOpensAsWithoutMonitors) {
    MonitorLayout one{{{0, 0, 1024, 768}}, 0, ScreenPoint{10, 10}, 1024, 768};
    for (bool windowed : {false, true}) {
        WindowPlacement placed = placementAfter(one, anyDisplay, windowed);
        EXPECT_EQ(placed.kind, windowed ? WindowKind::Window : WindowKind::FullScreen);
        EXPECT_EQ(placed.size.width, 1024);
        EXPECT_EQ(placed.size.height, 768);
        EXPECT_FALSE(placed.at);
    }
}

TEST(MonitorPlacement, FullScreenCoversThePointersMonitorOnly) {
    WindowPlacement placed = placementAfter(twoMonitorDesktop({2000, 100}), anyDisplay, false);
    EXPECT_EQ(placed.kind, WindowKind::Borderless);
    EXPECT_EQ(placed.size.width, 1280);
    EXPECT_EQ(placed.size.height, 720);
    ASSERT_TRUE(placed.at);
    EXPECT_EQ(placed.at->x, 1280);
    EXPECT_EQ(placed.at->y, 0);
    EXPECT_FLOAT_EQ(videoWidth, 1280.0f);
}

TEST(MonitorPlacement, TheWindowOpensCentredOnTheRequestedMonitor) {
    WindowPlacement placed = placementAfter(twoMonitorDesktop({2000, 100}), 0, true);
    EXPECT_EQ(placed.kind, WindowKind::Window);
    EXPECT_EQ(placed.size.width, 1024);
    EXPECT_EQ(placed.size.height, 720);
    ASSERT_TRUE(placed.at);
    EXPECT_EQ(placed.at->x, 128);
    EXPECT_EQ(placed.at->y, 0);
}

TEST(MonitorPlacement, TheWholeScreenMonitorIsFullScreenAsBefore) {
    WindowPlacement placed = placementAfter(twoMonitorDesktop({100, 100}), 2, false);
    EXPECT_EQ(placed.kind, WindowKind::FullScreen);
    EXPECT_FALSE(placed.at);
}

TEST(MonitorPlacement, ADisplayNotListedIsSaidAndThePointerDecides) {
    testing::internal::CaptureStderr();
    WindowPlacement placed = placementAfter(twoMonitorDesktop({100, 100}), 5, false);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "tandrel: no display 5 among the 3 monitors the display lists\n");
    ASSERT_TRUE(placed.at);
    EXPECT_EQ(placed.at->x, 0);
}

}  // namespace
