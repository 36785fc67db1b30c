#include <gtest/gtest.h>

#include <SDL_keysym.h>

#include <vector>

#include "app/input/actions.h"
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
    return listed(keyActions(symbol, 0, down, context, alt));
}

class ActionsOfEvents : public ::testing::Test {
protected:
    void SetUp() override { resetApplication(); }
};

// One key means different things in a game and on the menu; the keys of no player only on the menu.
TEST_F(ActionsOfEvents, DependOnWhereTheyGoAndOnTheBindings) {
    settings.keyBindings[5] = SDLK_w;  // w is now player 1's up and player 2's down
    using P = std::vector<std::pair<ActionType, int>>;
    EXPECT_EQ(key(SDLK_w, true, InputContext::Game), (P{{A::ButtonPress, 0}, {A::ButtonPress, 5}}));
    EXPECT_EQ(key(SDLK_w, false, InputContext::Game), (P{{A::ButtonRelease, 0}, {A::ButtonRelease, 5}}));
    EXPECT_EQ(key(SDLK_w, true, InputContext::Menu), (P{{A::MenuUp, -1}}));
    EXPECT_EQ(key(SDLK_LEFT, true, InputContext::Menu), (P{{A::PreviousGame, -1}}));
    EXPECT_EQ(key(SDLK_d, true, InputContext::Menu), (P{{A::NextGame, -1}}));
    EXPECT_EQ(key(SDLK_SPACE, true, InputContext::Game), P{});
    EXPECT_EQ(key(SDLK_SPACE, true, InputContext::Menu), (P{{A::Choose, -1}}));
    EXPECT_EQ(key(SDLK_ESCAPE, true, InputContext::Game), (P{{A::Leave, -1}}));
    EXPECT_EQ(key(SDLK_ESCAPE, false, InputContext::Menu), P{});
    // Print Screen's key repeats take no picture until it is let go.
    EXPECT_EQ(key(SDLK_PRINT, true, InputContext::Menu), (P{{A::Screenshot, -1}}));
    EXPECT_EQ(key(SDLK_PRINT, true, InputContext::Game), P{});
    EXPECT_EQ(key(SDLK_PRINT, false, InputContext::Game), P{});
    EXPECT_EQ(key(SDLK_PRINT, true, InputContext::Game), (P{{A::Screenshot, -1}}));
}

// The window's keys work everywhere; P pauses a game but is no player's key on the menu, and Alt
// no longer chooses there, so that Alt+Enter can toggle full screen from the menu.
TEST_F(ActionsOfEvents, WindowKeysAndPauseKeepOutOfThePlayersWay) {
    using P = std::vector<std::pair<ActionType, int>>;
    for (InputContext context : {InputContext::Game, InputContext::Menu}) {
        EXPECT_EQ(key(SDLK_F11, true, context), (P{{A::ToggleFullScreen, -1}}));
        EXPECT_EQ(key(SDLK_RETURN, true, context, true), (P{{A::ToggleFullScreen, -1}}));
        EXPECT_EQ(key(SDLK_F9, true, context), (P{{A::VolumeDown, -1}}));
        EXPECT_EQ(key(SDLK_F10, true, context), (P{{A::VolumeUp, -1}}));
        EXPECT_EQ(key(SDLK_m, true, context), (P{{A::Mute, -1}}));
        EXPECT_EQ(key(SDLK_m, false, context), P{});
        EXPECT_EQ(key(SDLK_LALT, true, context), P{});
    }
    EXPECT_EQ(key(SDLK_RETURN, true, InputContext::Menu), (P{{A::Choose, -1}}));
    EXPECT_EQ(key(SDLK_p, true, InputContext::Game), (P{{A::Pause, -1}}));
    EXPECT_EQ(key(SDLK_p, true, InputContext::Menu), (P{{A::Choose, -1}}));
    AppEvent padButton{AppEventType::PadButtonDown};
    padButton.control = defaultPadPause;
    EXPECT_EQ(listed(actionsForEvent(padButton, InputContext::Game)), (P{{A::Pause, -1}}));
    EXPECT_EQ(listed(actionsForEvent(padButton, InputContext::Menu)), P{});
    // A layout that puts a settable key's symbol on a player's key: the player's key wins.
    settings.muteKey = SDLK_w;
    EXPECT_EQ(key(SDLK_w, true, InputContext::Game), (P{{A::ButtonPress, 0}}));
}

// A focus loss lets go of exactly what a game was told is held, keys and pad directions alike.
TEST_F(ActionsOfEvents, ReleasingHeldInputReleasesWhatIsHeldOnce) {
    using P = std::vector<std::pair<ActionType, int>>;
    key(SDLK_w, true, InputContext::Game);
    key(SDLK_UP, true, InputContext::Game);
    key(SDLK_UP, false, InputContext::Game);
    AppEvent hat{AppEventType::PadHat};
    hat.pad = 1;
    hat.value = 0x02;  // right
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
    fakePlatform.keysDown = {SDLK_w, SDLK_UP};
    key(SDLK_w, true, InputContext::Game);
    key(SDLK_UP, true, InputContext::Game);
    AppEvent hat{AppEventType::PadHat};
    hat.value = 0x08;  // player 1's left, whose key a is up
    actionsForEvent(hat, InputContext::Game);
    EXPECT_EQ(listed(releaseKeysLetGo(InputContext::Game)), P{});
    fakePlatform.keysDown.erase(SDLK_w);
    EXPECT_EQ(listed(releaseKeysLetGo(InputContext::Game)), (P{{A::ButtonRelease, 0}}));
    EXPECT_EQ(listed(releaseKeysLetGo(InputContext::Game)), P{});
    EXPECT_EQ(listed(releaseHeldInput(InputContext::Game)),
              (P{{A::ButtonRelease, 2}, {A::ButtonRelease, 4}}));
}

}  // namespace
