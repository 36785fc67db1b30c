#include <gtest/gtest.h>

#include <vector>

#include "app/session/session.h"
#include "app/window/app_state.h"
#include "app/window/main_loop.h"
#include "framework/game_state.h"
#include "support/fake_platform.h"

namespace {

// Remembers every button the frame hands it: +1 + button for a press, -1 - button for a release.
class ButtonLog : public GameState {
public:
    ButtonLog() : GameState(1) {}
    void buttonDown(int player, int button) override { log.push_back({player, 1 + button}); }
    void buttonUp(int player, int button) override { log.push_back({player, -1 - button}); }
    int checkEnd() override { return 0; }
    std::vector<std::pair<int, int>> log;
};

AppEvent axis(int pad, int number, int value) {
    return {AppEventType::PadAxis, false, 0, 0, pad, number, value};
}
AppEvent hat(int pad, int bits) { return {AppEventType::PadHat, false, 0, 0, pad, 0, bits}; }
AppEvent button(int pad, int number) { return {AppEventType::PadButtonDown, false, 0, 0, pad, number, 0}; }

constexpr int hatUp = 1, hatRight = 2, hatLeft = 8;

class Gamepad : public ::testing::Test {
protected:
    void SetUp() override {
        resetApplication();
        beginLoop(locals);
    }
    void TearDown() override { session.game.reset(); }
    // The events arrive in one pass, which then runs one tick.
    void pass(std::initializer_list<AppEvent> events) {
        fakePlatform.events = events;
        fakePlatform.now += 18;
        runPass(locals);
    }
    ButtonLog& enterGame() {
        playTestGame(std::make_unique<ButtonLog>());
        return static_cast<ButtonLog&>(*session.game);
    }
    LoopLocals locals;
};

TEST_F(Gamepad, OnTheMenuDirectionsMoveTheCursorAndButtonZeroChooses) {
    pass({hat(0, 4)});  // down
    EXPECT_EQ(app.menuCursor, 1);
    pass({hat(0, 0), axis(1, 1, -20000)});  // the second pad's stick, up
    EXPECT_EQ(app.menuCursor, 0);
    pass({button(0, 1)});
    EXPECT_FALSE(inGame());
    pass({button(1, 0)});
    EXPECT_TRUE(inGame());
}

TEST_F(Gamepad, HatAndStickTogetherPressAndReleaseEachDirectionOnce) {
    ButtonLog& game = enterGame();
    pass({hat(0, hatUp | hatRight)});  // a diagonal presses two
    pass({axis(0, 1, -30000)});        // up, already held by the hat
    pass({hat(0, 0)});                 // right let go; up still held by the stick
    pass({axis(0, 1, 0)});             // up let go
    pass({axis(0, 0, 13000)});         // within 40 % of the range
    pass({axis(0, 0, 14000)});         // beyond it
    const std::vector<std::pair<int, int>> expected = {
        {0, 1 + 0}, {0, 1 + 3}, {0, -1 - 3}, {0, -1 - 0}, {0, 1 + 3}};
    EXPECT_EQ(game.log, expected);
}

TEST_F(Gamepad, TheSecondPadIsPlayerTwoAndItsButtonOneLeavesTheGame) {
    ButtonLog& game = enterGame();
    pass({hat(1, hatLeft), button(1, 0)});
    const std::vector<std::pair<int, int>> expected = {{1, 1 + 6}};
    EXPECT_EQ(game.log, expected);
    EXPECT_TRUE(inGame());
    pass({button(1, 1)});
    EXPECT_FALSE(inGame());
}

}  // namespace
