#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/input/actions.h"
#include "app/platform/platform.h"
#include "app/session/keyboard_feed.h"
#include "app/session/replay_file.h"
#include "app/session/session.h"
#include "app/window/app_state.h"
#include "app/window/main_loop.h"
#include "framework/game_entry.h"

// Pads for real through SDL 2's virtual joysticks: SDL sees them come and go as it sees a pad
// plugged in, and every event takes the platform's road into the frame. No window is opened.
namespace {

// The d-pad button of each of a player's buttons (Up, Down, A, B).
constexpr SDL_GameControllerButton dpadOfRole[buttonsPerPlayer] = {
    SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT};

class VirtualPads : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::string error;
        ASSERT_TRUE(platformInit(error)) << error;
        app = AppState{};
        restoreSettings();
        selectGame(0);
    }
    void TearDown() override {
        endSession();
        for (int index = SDL_NumJoysticks() - 1; index >= 0; --index) {
            if (SDL_JoystickIsVirtual(index)) SDL_JoystickDetachVirtual(index);
        }
        pumpEvents();
        platformQuit();
    }

    // A pad with every button and axis a controller has, as SDL's mapping for virtual pads wants.
    SDL_Joystick* attach() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "virtual pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(index, 0) << SDL_GetError();
        SDL_Joystick* pad = SDL_JoystickOpen(index);
        pumpEvents();
        return pad;
    }
    void detach(SDL_Joystick* pad) {
        const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
        SDL_JoystickClose(pad);
        for (int index = 0; index < SDL_NumJoysticks(); ++index) {
            if (SDL_JoystickGetDeviceInstanceID(index) == id) SDL_JoystickDetachVirtual(index);
        }
        pumpEvents();
    }
    // The button goes to `down`, and the frame takes what SDL makes of it.
    void set(SDL_Joystick* pad, SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(pad, button, down);
        pumpEvents();
    }
    void click(SDL_Joystick* pad, SDL_GameControllerButton button) {
        set(pad, button, true);
        set(pad, button, false);
    }
    static void pumpEvents() {
        SDL_PumpEvents();
        pollEvents();
    }
};

bool holds(int player, int button) {
    const auto& held = session.game->players[player].heldButtons;
    return std::find(held.begin(), held.end(), button) != held.end();
}

// A pad plugged in on the menu starts a game and moves a paw; unplugged, it holds the game, and
// another plugged in takes its place and resumes it.
TEST_F(VirtualPads, ComeAndGoWhileAGameRuns) {
    SDL_Joystick* first = attach();
    ASSERT_NE(padSlots.pads[0], noPad);
    click(first, SDL_CONTROLLER_BUTTON_A);  // "start"
    ASSERT_TRUE(inGame());
    set(first, SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    runDueTicks(2, platformTicks());
    EXPECT_TRUE(holds(0, 0));
    detach(first);
    EXPECT_TRUE(session.paused);
    EXPECT_EQ(app.padsUnplugged, 1u);
    SDL_Joystick* second = attach();
    EXPECT_EQ(app.padsUnplugged, 0u);
    EXPECT_TRUE(session.paused);
    click(second, SDL_CONTROLLER_BUTTON_START);
    EXPECT_FALSE(session.paused);
    runDueTicks(1, platformTicks());
    EXPECT_FALSE(holds(0, 0));  // the pad that went let go of up
}

// A recorded game's presses and releases, played on two pads' d-pads at their ticks, come to the
// recording's own line.
TEST_F(VirtualPads, PlayARecordedGameToItsLine) {
    Replay replay;
    std::string error;
    ASSERT_TRUE(readReplayFile(TANDREL_SOURCE_DIR "/tests/data/replays/01_chase.replay", replay, error))
        << error;
    SDL_Joystick* pads[padCount] = {attach(), attach()};
    selectGame(replay.gameId);
    startSession(*selectedEntry, replay.seed, keyboardFeed);
    auto next = replay.events.begin();
    while (!sessionOver()) {
        for (; next != replay.events.end() && next->tick == session.game->tickCount; ++next) {
            set(pads[next->player], dpadOfRole[next->button % buttonsPerPlayer], next->type == pressEvent);
        }
        ASSERT_TRUE(runTick(platformTicks()));
    }
    EXPECT_EQ(sessionLine(), "game over: seed 1796703167 score 1500 tick 801 digest 6a83aaaed13624b2");
}

}  // namespace
