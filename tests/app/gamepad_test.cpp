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

// Pads by their own numbers: 10 and 11 come at start-up, as the first two found.
AppEvent padEvent(AppEventType type, int pad, int control = 0, int value = 0) {
    return {type, false, keyNone, pad, control, value};
}
AppEvent axis(int pad, int number, int value) {
    return padEvent(AppEventType::PadAxis, 10 + pad, number, value);
}
AppEvent hat(int pad, int bits) { return padEvent(AppEventType::PadHat, 10 + pad, 0, bits); }
AppEvent button(int pad, int number) { return padEvent(AppEventType::PadButtonDown, 10 + pad, number); }

class Gamepad : public ::testing::Test {
protected:
    void SetUp() override {
        resetApplication();
        beginLoop(locals);
        pass({padEvent(AppEventType::PadAdded, 10), padEvent(AppEventType::PadAdded, 11)});
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
    pass({hat(0, padHatUp | padHatRight)});  // a diagonal presses two
    pass({axis(0, 1, -30000)});              // up, already held by the hat
    pass({hat(0, 0)});                       // right let go; up still held by the stick
    pass({axis(0, 1, 0)});                   // up let go
    pass({axis(0, 0, 13000)});               // within 40 % of the range
    pass({axis(0, 0, 14000)});               // beyond it
    const std::vector<std::pair<int, int>> expected = {
        {0, 1 + 0}, {0, 1 + 3}, {0, -1 - 3}, {0, -1 - 0}, {0, 1 + 3}};
    EXPECT_EQ(game.log, expected);
}

TEST_F(Gamepad, TheSecondPadIsPlayerTwoAndItsButtonOneLeavesTheGame) {
    ButtonLog& game = enterGame();
    pass({hat(1, padHatLeft), button(1, 0)});
    const std::vector<std::pair<int, int>> expected = {{1, 1 + 6}};
    EXPECT_EQ(game.log, expected);
    EXPECT_TRUE(inGame());
    pass({button(1, 1)});
    EXPECT_FALSE(inGame());
}

// A pad that goes lets go of what it held and holds the local game, which nothing resumes until
// a pad comes for that player: the next pad plugged in, before any free player.
TEST_F(Gamepad, AnUnpluggedPadHoldsTheGameUntilAPadComesForItsPlayer) {
    ButtonLog& game = enterGame();
    pass({hat(0, padHatUp)});
    pass({padEvent(AppEventType::PadRemoved, 11), padEvent(AppEventType::PadRemoved, 10)});
    EXPECT_TRUE(session.paused);
    EXPECT_EQ(app.padsUnplugged, 3u);
    pass({keyDown('p'), hat(0, padHatUp)});  // neither resumes nor moves: no pad plays for player 1
    EXPECT_TRUE(session.paused);
    pass({padEvent(AppEventType::PadAdded, 12)});  // player 1's place, not the first free one
    EXPECT_EQ(app.padsUnplugged, 2u);
    pass({padEvent(AppEventType::PadAdded, 13), button(3, defaultPadPauseNumber)});
    EXPECT_FALSE(session.paused);
    pass({hat(2, padHatLeft)});
    const std::vector<std::pair<int, int>> expected = {{0, 1 + 0}, {0, -1 - 0}, {0, 1 + 2}};
    EXPECT_EQ(game.log, expected);
}

}  // namespace
