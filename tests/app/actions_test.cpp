#include <gtest/gtest.h>

#include <vector>

#include "app/input/actions.h"
#include "app/platform/key_codes.h"
#include "app/saved/settings.h"
#include "support/fake_platform.h"

namespace {

using A = ActionType;

std::vector<std::pair<ActionType, int>> listed(const Actions& actions) {
    std::vector<std::pair<ActionType, int>> list;
    for (int i = 0; i < actions.count; ++i) list.push_back({actions.list[i].type, actions.list[i].button});
    return list;
}

std::vector<std::pair<ActionType, int>> key(int symbol, bool down, InputContext context, bool alt = false) {
    return listed(keyActions(symbol, down, context, alt));
}

class ActionsOfEvents : public ::testing::Test {
protected:
    // Pads 0 and 1 plugged in, player 1's and player 2's.
    void SetUp() override {
        resetApplication();
        for (int pad = 0; pad < padCount; ++pad) {
            AppEvent added{AppEventType::PadAdded};
            added.pad = pad;
            actionsForEvent(added, InputContext::Menu);
        }
    }
};

// One key means different things in a game and on the menu; the keys of no player only on the menu.
TEST_F(ActionsOfEvents, DependOnWhereTheyGoAndOnTheBindings) {
    settings.keyBindings[5] = 'w';  // w is now player 1's up and player 2's down
    using P = std::vector<std::pair<ActionType, int>>;
    EXPECT_EQ(key('w', true, InputContext::Game), (P{{A::ButtonPress, 0}, {A::ButtonPress, 5}}));
    EXPECT_EQ(key('w', false, InputContext::Game), (P{{A::ButtonRelease, 0}, {A::ButtonRelease, 5}}));
    EXPECT_EQ(key('w', true, InputContext::Menu), (P{{A::MenuUp, -1}}));
    EXPECT_EQ(key(keyArrowLeft, true, InputContext::Menu), (P{{A::PreviousGame, -1}}));
    EXPECT_EQ(key('d', true, InputContext::Menu), (P{{A::NextGame, -1}}));
    EXPECT_EQ(key(keySpace, true, InputContext::Game), P{});
    EXPECT_EQ(key(keySpace, true, InputContext::Menu), (P{{A::Choose, -1}}));
    EXPECT_EQ(key(keyEscape, true, InputContext::Game), (P{{A::Leave, -1}}));
    EXPECT_EQ(key(keyEscape, false, InputContext::Menu), P{});
    // Print Screen's key repeats take no picture until it is let go.
    EXPECT_EQ(key(keyPrintScreen, true, InputContext::Menu), (P{{A::Screenshot, -1}}));
    EXPECT_EQ(key(keyPrintScreen, true, InputContext::Game), P{});
    EXPECT_EQ(key(keyPrintScreen, false, InputContext::Game), P{});
    EXPECT_EQ(key(keyPrintScreen, true, InputContext::Game), (P{{A::Screenshot, -1}}));
}

// The window's keys work everywhere; P pauses a game but is no player's key on the menu, and Alt
// no longer chooses there, so that Alt+Enter can toggle full screen from the menu.
TEST_F(ActionsOfEvents, WindowKeysAndPauseKeepOutOfThePlayersWay) {
    using P = std::vector<std::pair<ActionType, int>>;
    for (InputContext context : {InputContext::Game, InputContext::Menu}) {
        EXPECT_EQ(key(keyF11, true, context), (P{{A::ToggleFullScreen, -1}}));
        EXPECT_EQ(key(keyReturn, true, context, true), (P{{A::ToggleFullScreen, -1}}));
        EXPECT_EQ(key(keyF9, true, context), (P{{A::VolumeDown, -1}}));
        EXPECT_EQ(key(keyF10, true, context), (P{{A::VolumeUp, -1}}));
        EXPECT_EQ(key('m', true, context), (P{{A::Mute, -1}}));
        EXPECT_EQ(key('m', false, context), P{});
        EXPECT_EQ(key(keyLeftAlt, true, context), P{});
    }
    EXPECT_EQ(key(keyReturn, true, InputContext::Menu), (P{{A::Choose, -1}}));
    EXPECT_EQ(key('p', true, InputContext::Game), (P{{A::Pause, -1}}));
    EXPECT_EQ(key('p', true, InputContext::Menu), (P{{A::Choose, -1}}));
    AppEvent padButton{AppEventType::PadButtonDown};
    padButton.control = defaultPadPause();
    EXPECT_EQ(listed(actionsForEvent(padButton, InputContext::Game)), (P{{A::Pause, -1}}));
    EXPECT_EQ(listed(actionsForEvent(padButton, InputContext::Menu)), P{});
    // A layout that puts a settable key's symbol on a player's key: the player's key wins.
    settings.muteKey = 'w';
    EXPECT_EQ(key('w', true, InputContext::Game), (P{{A::ButtonPress, 0}}));
}

// A focus loss lets go of exactly what a game was told is held, keys and pad directions alike.
TEST_F(ActionsOfEvents, ReleasingHeldInputReleasesWhatIsHeldOnce) {
    using P = std::vector<std::pair<ActionType, int>>;
    key('w', true, InputContext::Game);
    key(keyArrowUp, true, InputContext::Game);
    key(keyArrowUp, false, InputContext::Game);
    AppEvent hat{AppEventType::PadHat};
    hat.pad = 1;
    hat.value = padHatRight;
    actionsForEvent(hat, InputContext::Game);
    EXPECT_EQ(listed(releaseHeldInput(InputContext::Game)),
              (P{{A::ButtonRelease, 0}, {A::ButtonRelease, 7}}));
    EXPECT_EQ(listed(releaseHeldInput(InputContext::Game)), P{});
    // The pad's direction counts as let go: centring the hat now releases nothing more.
    hat.value = 0;
    EXPECT_EQ(listed(actionsForEvent(hat, InputContext::Game)), P{});
}

// A key let go where its release never reached us is released once the keyboard says it is up;
// a key still down and a pad's direction (whose button's key is up too) stay held.
TEST_F(ActionsOfEvents, KeysLetGoUnheardAreReleasedOnce) {
    using P = std::vector<std::pair<ActionType, int>>;
    fakePlatform.keysDown = {'w', keyArrowUp};
    key('w', true, InputContext::Game);
    key(keyArrowUp, true, InputContext::Game);
    AppEvent hat{AppEventType::PadHat};
    hat.value = padHatLeft;  // player 1's left, whose key a is up
    actionsForEvent(hat, InputContext::Game);
    EXPECT_EQ(listed(releaseKeysLetGo(InputContext::Game)), P{});
    fakePlatform.keysDown.erase('w');
    EXPECT_EQ(listed(releaseKeysLetGo(InputContext::Game)), (P{{A::ButtonRelease, 0}}));
    EXPECT_EQ(listed(releaseKeysLetGo(InputContext::Game)), P{});
    EXPECT_EQ(listed(releaseHeldInput(InputContext::Game)),
              (P{{A::ButtonRelease, 2}, {A::ButtonRelease, 4}}));
}

}  // namespace
