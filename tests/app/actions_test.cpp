#include <gtest/gtest.h>

#include <SDL_keysym.h>

#include <vector>

#include "app/actions.h"
#include "support/fake_platform.h"

namespace {

using A = ActionType;

std::vector<std::pair<ActionType, int>> listed(const Actions& actions) {
    std::vector<std::pair<ActionType, int>> list;
    for (int i = 0; i < actions.count; ++i) list.push_back({actions.list[i].type, actions.list[i].button});
    return list;
}

std::vector<std::pair<ActionType, int>> key(int symbol, bool down, InputContext context) {
    return listed(keyActions(symbol, 0, down, context));
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

}  // namespace
